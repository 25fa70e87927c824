// The 100 ms tick: each step hands its subsystem the records it reads and
// the state it changes.
#include "core/shell/tick_steps.h"

#include <array>
#include <exception>

#include "core/data/rows_in_use.h"
#include "core/platform/dialogs.h"
#include "core/presentation/panel/cab_lamps.h"
#include "core/route/stations/timetable_clock.h"
#include "core/shell/drive.h"
#include "core/shell/drive_callouts.h"
#include "core/shell/drive_protection.h"
#include "core/shell/drive_signals.h"
#include "core/shell/drive_sounds.h"
#include "core/shell/drive_speed_limits.h"
#include "core/shell/drive_texts.h"
#include "core/shell/drive_track_events.h"
#include "core/vehicle/air_supply.h"
#include "core/vehicle/engine.h"
#include "core/vehicle/masconupdate.h"

namespace cab {

namespace {

bool sectionMaxSpeed(Drive& d) {
  updateSectionMaxSpeed(d.stationState, StationTable(d.stations()), d.train.position);
  return true;
}

bool countTick(Drive& d) {
  ++d.operation.tickCount;
  return true;
}

bool doorClosedDetection(Drive& d) {
  if (cab::doorClosedDetection(d.train, d.stationState, d.operation.lamps, d.doorSpec, *d.sound))
    doorsClosedCallouts(d);
  return true;
}

int currentStepValue(const VehicleSpec& v, int row) {
  if (row < 0 || row >= v.CurrentPCount) return 0;
  return v.CurrentP[static_cast<std::size_t>(row)].notch;
}

bool cabLamps(Drive& d) {
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
  in.limitApproach = d.speedLimits.limitApproach;
  updateTractionLamps(d.operation.lamps, in, d.operation.tickCount);
  return true;
}

bool clockText(Drive& d) {
  timecalc(d.operation.clock, d.stationState.clockSecondShown, d.stationState.display.clockText);
  return true;
}

bool needleSmoothing(Drive& d) {
  smoothNeedles(d.panel, d.train.brakeCommand, d.vehicle.Brake);
  return true;
}

bool compressor(Drive& d) {
  compressorTick(d.train, d.vehicle, *d.sound, d.train.engineRpm);
  return true;
}

bool stations(Drive& d) {
  overrunFollowUpStep(d);
  const StationTable table(d.stations());
  const StationContext c{table,
                         d.operation.clock,
                         d.operation.lamps,
                         d.trackEvents.crossingLampLit,
                         d.routeSounds,
                         d.strings,
                         d.doorSpec,
                         *d.sound,
                         d.boarding,
                         d.boardingSeed(),
                         d.request().startStation,
                         d.request().endStation,
                         d.video.videoSwitchState,
                         stationSectionSound(rowsInUse(d.route.Sound2, d.route.Sound2Count), d.routeSounds.firstChannel),
                         [&d](int e) { stationCallout(d, e); },
                         [&d] { d.BackClick(); }};
  return stationStep(d.train, d.stationState, c);
}

bool stopBell(Drive& d) {
  cab::stopBell(d.train, d.stationState, d.operation, *d.sound, d.vehicle.Stop);
  return true;
}

bool doorClosingCounter(Drive& d) {
  cab::doorClosingCounter(d.train, d.stationState);
  return true;
}

bool videoSwitching(Drive& d) {
  DriveVideoSoundChannels channels(*d.sound);
  MovieSwitchContext switches{d.train,      d.physicsOn,    d.operation.clock, d.movieSwitches(),
                              d.stations(), d.strings.Path, channels,          d.routeSounds.firstChannel};
  return switchMovies(d.video, switches);
}

bool dieselGears(Drive& d) {
  TrainState& t = d.train;
  const GearboxSpec& g = d.gearbox;
  if (g.diesel && g.automatic && t.clutchOut == 0) automaticGearChoice(t, g);
  const ClutchConditions c{doorRuleMet(d.vehicle.DoorLock == 1, t.doorsOpen), d.protection.atsEmergency,
                           d.protection.ebDeviceTrip};
  if (clutchStep(t, g, c, d.timing.frameMs)) {
    masconupdate(t, d.vehicle, d.strings, d.protection.flags());
    departureCallout(d);
  }
  return true;
}

bool otherLampsAndEngine(Drive& d) {
  updateOtherLamps(d.operation.lamps, d.vehicle.ATS_Type, d.train.engineRunning);
  engineStartStop(d.train, d.gearbox, *d.sound);
  engineStall(d.train, d.gearbox, *d.sound);
  return true;
}

bool doorLamps(Drive& d) {
  cab::doorLamps(d.train, d.stationState, d.operation.lamps, StationTable(d.stations()));
  return true;
}

// The value display window's refresh joins the caption when that window exists.
bool caption(Drive& d) {
  if (d.caption() == ProgramCaption) d.setCaption(d.route.LineName);
  return true;
}

bool automaticDoorClosing(Drive& d) {
  cab::automaticDoorClosing(d.train, d.stationState, d.operation.lamps, d.doorSpec, *d.sound);
  return true;
}

constexpr std::array Steps{
    TickStep{1, "section maximum speed", sectionMaxSpeed},
    TickStep{2, "preceding train leaves", precedingTrainLeavesStep},
    TickStep{3, "tick count", countTick},
    TickStep{4, "speed and distance texts", speedAndDistanceStep},
    TickStep{5, "wheel squeal", wheelSquealStep},
    TickStep{6, "door-closed detection", doorClosedDetection},
    TickStep{7, "cab lamps", cabLamps},
    TickStep{8, "clock text", clockText},
    TickStep{9, "brake air sounds", brakeAirSoundsStep},
    TickStep{10, "needle smoothing", needleSmoothing},
    TickStep{11, "compressor", compressor},
    TickStep{12, "attenuation zones", attenuationStep},
    TickStep{13, "route-placed sounds", routePlacedSoundsStep},
    TickStep{14, "points sounds", pointsSoundsStep},
    TickStep{15, "overrun announcement", overrunAnnouncementStep},
    TickStep{16, "approach announcements", approachAnnouncementsStep},
    TickStep{17, "Doppler sounds", dopplerSoundsStep},
    TickStep{18, "gradient", gradientStep},
    TickStep{19, "signals", signalStep},
    TickStep{20, "road traffic lights", trafficLightsStep},
    TickStep{21, "cab signalling", cabSignallingStep},
    TickStep{22, "ATS bell", atsBellStep},
    TickStep{23, "pattern protection", patternProtectionStep},
    TickStep{24, "speed-limit approach", speedLimitApproachStep},
    TickStep{24, "speed checks", speedChecksStep},
    TickStep{25, "stations", stations},
    TickStep{26, "vigilance device", vigilanceStep},
    TickStep{27, "stop bell", stopBell},
    TickStep{28, "signs and level crossings", signsAndCrossingsStep},
    TickStep{29, "rail noise", railNoiseStep},
    TickStep{30, "motor sounds", motorSoundsStep},
    TickStep{31, "door-closing counter", doorClosingCounter},
    TickStep{32, "video switching", videoSwitching},
    TickStep{33, "diesel gears", dieselGears},
    TickStep{35, "information lines", informationLinesStep},
    TickStep{36, "other lamps and engine", otherLampsAndEngine},
    TickStep{37, "roll-back protection", rollBackStep},
    TickStep{38, "tunnels", tunnelsStep},
    TickStep{39, "door lamps", doorLamps},
    TickStep{40, "resistor-step sound", resistorStepSoundStep},
    TickStep{41, "caption", caption},
    TickStep{42, "stop-request lamp", stopRequestLampStep},
    TickStep{43, "automatic door closing", automaticDoorClosing},
    TickStep{44, "commentary", commentaryStep},
    TickStep{46, "call-out queue", calloutQueueStep},
    TickStep{48, "information labels", infoLabelsStep},
};

}  // namespace

std::span<const TickStep> tickSteps() { return Steps; }

void Drive::Timer1Timer() {
  const std::span<const TickStep> steps = tickSteps();
  steps.front().run(*this);
  // A failure is shown and ends the tick; in steps 44 to 47 it skips only the
  // rest of them, and the labels are still updated.
  bool adviceFailed = false;
  for (const TickStep& step : steps.subspan(1)) {
    const bool advice = step.number >= 44 && step.number <= 47;
    if (advice && adviceFailed) continue;
    try {
      if (!step.run(*this)) return;
    } catch (const std::exception& e) {
      platform_.dialogs.message(e.what());
      if (!advice) return;
      adviceFailed = true;
    }
  }
}

}  // namespace cab
