#include "core/vehicle/masconupdate.h"

#include <string>

#include "core/data/ui_strings.h"
#include "core/data/vehicle_spec.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"
#include "core/vehicle/vehicle_tables.h"

namespace cab {

namespace {

void updateConstSpeed(TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags) {
  if (t.constSpeed == 1 && (t.brakeHandle != t.brakeCommand || t.powerHandle != t.powerNotch || flags.any())) {
    t.constSpeed = 0;
    t.powerNotch = t.powerHandle;
  }
  // Stepping back from the notch above the constant-speed notch while the
  // higher notch still acts engages it; the effective notch then takes the
  // handle at once, so that only a later handle move releases it.
  if (v.ConstNotch > 1 && t.constSpeed == 0 && t.speed >= v.ConstMinSpeed && t.powerHandle == v.ConstNotch &&
      t.powerNotch == v.ConstNotch + 1 && !flags.any()) {
    t.constSpeed = 1;
    t.powerNotch = t.powerHandle;
    t.powerDelayPending = false;
    t.powerDelayElapsed = 0;
  }
}

std::string powerText(const TrainState& t, const VehicleSpec& v, const UiStrings& labels) {
  if (t.constSpeed) return labels.Const;
  if (t.powerHandle == 0) return labels.Neut2;
  if (t.powerHandle > v.Power || t.powerMode < 0) return {};
  return powerModeName(v, t.powerMode, 0) + std::to_string(t.powerHandle - modeFirstNotch(v, t.powerMode));
}

std::string brakeText(const TrainState& t, const VehicleSpec& v, const UiStrings& labels) {
  if (t.holdBack) return labels.Hold2;
  if (t.brakeHandle == -v.Brake) return labels.EB;
  if (t.brakeHandle == 0) return labels.Neut;
  if (v.BrakeType > 0) return "B" + std::to_string(-t.brakeHandle);
  switch (t.brakeHandle) {
    case -1:
      return labels.Maintain;
    case -2:
      return labels.Hold;
    case -3:
      return labels.Apply;
    case -5:
      return labels.Remove;
    default:
      return {};
  }
}

// The gear lever's text: neutral, first, then the third label alone for a
// two-gear box or numbered for more gears.
std::string gearText(int lever, int gearCount, const UiStrings& labels) {
  if (lever == 0) return labels.Gears[0];
  if (lever == 1) return labels.Gears[1];
  if (lever == 2 && gearCount == 3) return labels.Gears[2];
  if (lever >= 2 && lever <= 5) return labels.Gears[2] + std::to_string(lever - 1);
  return {};
}

std::string modeText(const TrainState& t, const VehicleSpec& v, const UiStrings& labels) {
  if (v.Engine_Type == 0) return gearText(t.gearLever, v.EngineCount, labels);
  if (v.SuppressCount == 0) return powerModeName(v, t.powerMode, 1);
  if (t.suppressStep == 0) return {};
  return "抑速" + std::to_string(t.suppressStep);
}

int brakeFrame(const TrainState& t, const VehicleSpec& v) {
  if (v.Hold != 1) return -t.brakeHandle;
  if (t.holdBack) return 1;
  return t.brakeHandle == 0 ? 0 : -t.brakeHandle + 1;
}

void updateIndicators(TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags) {
  NotchIndicators& n = t.indicators;
  n.forwardLamp = t.reverser == 1;
  n.reverseLamp = t.reverser == -1;
  const bool brakeOnOneHandle = v.Handle == 0 && t.brakeHandle < 0;
  n.powerFrame = t.powerHandle;
  n.powerVisible = !brakeOnOneHandle;
  n.brakeFrame = brakeFrame(t, v);
  n.power2Frame = t.powerHandle;
  n.power2Visible = !brakeOnOneHandle && !t.holdBack;
  n.brake2Frame = n.brakeFrame;
  n.brake2FromEnd = 0;
  if (flags.emergency()) {
    n.brake2FromEnd = 1;
  } else if (flags.patternBrake) {
    n.brake2FromEnd = 2;
    n.power2Frame = 0;
    n.power2Visible = false;
  }
}

}  // namespace

void masconupdate(TrainState& t, const VehicleSpec& v, const UiStrings& labels, const ProtectionFlags& flags) {
  updateConstSpeed(t, v, flags);
  if (v.Hold > 1 && t.brakeHandle == 1 - v.Hold && t.brakeCommand == -v.Hold) t.holdBack = true;
  t.reverserText = t.reverser == 1 ? labels.Forward : t.reverser == -1 ? labels.Reverse : labels.Neutral;
  t.powerText = powerText(t, v, labels);
  t.brakeText = brakeText(t, v, labels);
  t.modeText = modeText(t, v, labels);
  updateIndicators(t, v, flags);
}

}  // namespace cab
