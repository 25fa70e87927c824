#include <cmath>

#include "core/route/cab_lamps.h"
#include "core/route/tick_steps.h"
#include "core/shell/drive.h"
#include "core/vehicle/air_supply.h"
#include "core/vehicle/engine.h"
#include "core/vehicle/masconupdate.h"
#include "core/vehicle/protection_flags.h"

namespace cab::tick {

namespace {

constexpr int NeedleVoltStep = 250;

int currentStepValue(const VehicleSpec& v, int row) {
  if (row < 0 || row >= v.CurrentPCount) return 0;
  return v.CurrentP[static_cast<std::size_t>(row)].notch;
}

}  // namespace

void cabLamps(Drive& d) {
  const TrainState& t = d.train;
  const VehicleSpec& v = d.vehicle;
  TractionLampInputs in;
  in.ammeterMode = d.panel.ammeterMode;
  in.doorInterlocked = v.DoorLock == 1;
  in.doorsOpen = t.doorsOpen;
  in.powerNotch = t.powerNotch;
  in.brakeCommand = t.brakeCommand;
  in.brakeSteps = v.Brake;
  in.elecBrakeCurrent = t.elecBrakeCurrent;
  in.resistorStep = t.resistorStep;
  in.currentPCount = v.CurrentPCount;
  in.currentStep = currentStepValue(v, t.resistorStep);
  in.nextCurrentStep = currentStepValue(v, t.resistorStep + 1);
  in.constantSpeed = t.constSpeed != 0;
  updateTractionLamps(d.operation.lamps, in, d.operation.tickCount);
}

void needleSmoothing(Drive& d) {
  OperationState& o = d.operation;
  if (o.voltmeter < o.lineVoltage - NeedleVoltStep)
    o.voltmeter += NeedleVoltStep;
  else if (o.voltmeter > o.lineVoltage + NeedleVoltStep)
    o.voltmeter -= NeedleVoltStep;
  const int command = d.train.brakeCommand;
  const long double target = command == -d.vehicle.Brake ? 4.5L : -command / 2.0L;
  o.brakeIndicator += (target - o.brakeIndicator) / 2;
}

void compressor(Drive& d) { compressorTick(d.train, d.vehicle, *d.sound, d.train.engineRpm); }

void dieselGears(Drive& d) {
  TrainState& t = d.train;
  const GearboxSpec& g = d.gearbox;
  if (g.diesel && g.automatic && t.clutchOut == 0) automaticGearChoice(t, g);
  const ClutchConditions c{doorRuleMet(d.vehicle.DoorLock == 1, t.doorsOpen), d.operation.atsEmergency,
                           d.operation.ebDeviceTrip};
  if (clutchStep(t, g, c, d.timing.frameMs)) masconupdate(t, d.vehicle, d.strings, protectionFlags(d.operation));
}

void otherLampsAndEngine(Drive& d) {
  updateOtherLamps(d.operation.lamps, d.vehicle.ATS_Type, d.train.engineRunning);
  engineStartStop(d.train, d.gearbox, *d.sound);
  engineStall(d.train, d.gearbox, *d.sound);
}

}  // namespace cab::tick
