#include "core/vehicle/handle_operations.h"

#include <cmath>

#include "core/data/vehicle_spec.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"
#include "core/vehicle/vehicle_tables.h"

namespace cab {

void PowerUp(TrainState& t, const VehicleSpec& v) {
  if (t.powerHandle < v.Power && notchMode(v, t.powerHandle + 1) == t.powerMode) ++t.powerHandle;
}

void PowerDown(TrainState& t, const VehicleSpec& v) {
  if (t.powerHandle >= 2 && notchMode(v, t.powerHandle - 1) == t.powerMode)
    --t.powerHandle;
  else if (t.powerHandle > 0 && t.powerHandle == modeFirstNotch(v, t.powerMode) + 1)
    t.powerHandle = 0;
}

void oneHandleTowardPower(TrainState& t, const VehicleSpec& v) {
  if (t.holdBack) {
    t.holdBack = false;
  } else if (t.powerHandle == 0 && t.brakeHandle < 0) {
    ++t.brakeHandle;
    if (v.Hold == 1 && t.brakeHandle == 0) t.holdBack = true;
  } else if (t.brakeHandle == 0) {
    PowerUp(t, v);
    if (t.powerHandle > 0) t.suppressStep = 0;
  }
}

namespace {

// One step toward braking on the brake side: the hold-back position of a
// "[Hold]" 1 handle sits between neutral and B1; stepping stops at the last
// service step.
void brakeSideStep(TrainState& t, const VehicleSpec& v, bool powerOff) {
  if (t.holdBack) {
    t.holdBack = false;
    t.brakeHandle = -1;
    t.holdBackStepLock = true;
  }
  if (!powerOff || t.brakeHandle <= -v.Brake + 1 || t.holdBack) return;
  if (v.Hold != 1) {
    --t.brakeHandle;
  } else if (t.brakeHandle == 0) {
    t.holdBack = true;
  } else if (t.holdBackStepLock) {
    t.holdBackStepLock = false;
  } else {
    --t.brakeHandle;
  }
}

}  // namespace

void oneHandleTowardBrake(TrainState& t, const VehicleSpec& v) {
  brakeSideStep(t, v, t.powerHandle == 0);
  PowerDown(t, v);
}

void BrakeDown(TrainState& t, const VehicleSpec& v) {
  t.holdBack = false;
  if (t.brakeHandle < 0) {
    ++t.brakeHandle;
    if (v.Hold == 1 && t.brakeHandle == 0) t.holdBack = true;
  }
}

void BrakeUp(TrainState& t, const VehicleSpec& v) { brakeSideStep(t, v, true); }

void Emergency(TrainState& t, const VehicleSpec& v) {
  t.powerHandle = 0;
  t.brakeHandle = -v.Brake;
  t.holdBack = false;
}

void brakeHandleEmergency(TrainState& t, const VehicleSpec& v) { t.brakeHandle = -v.Brake; }

void AllNeutral(TrainState& t) {
  t.powerHandle = 0;
  t.brakeHandle = 0;
  t.holdBack = false;
}

bool reverserFree(const TrainState& t, const VehicleSpec& v) {
  if (std::fabs(t.speed) > 1) return false;
  if (v.InterLock == 0) return true;
  return v.InterLock == 1 && t.brakeHandle == -v.Brake;
}

void SetReverser(TrainState& t, const VehicleSpec& v, SoundChannels& sound, int position) {
  if (!reverserFree(t, v) || t.reverser == position) return;
  t.reverser = position;
  sound.restart(v.Sound_Rev[position == 1 ? 0 : position == -1 ? 1 : 2]);
}

void suppressStepDown(TrainState& t) {
  if (t.suppressStep > 0) --t.suppressStep;
}

void suppressStepUp(TrainState& t, const VehicleSpec& v) {
  if (t.suppressStep < v.SuppressCount) ++t.suppressStep;
  if (t.powerHandle > 0) {
    t.powerHandle = 0;
    t.powerDelayPending = true;
  }
}

void constSpeedKey(TrainState& t, const VehicleSpec& v) {
  if (v.ConstNotch == 1 && t.constSpeed == 0 && t.powerHandle == v.Power && t.speed >= v.ConstMinSpeed)
    t.constSpeed = 1;
}

void setAllPending(TrainState& t) {
  setPowerPending(t);
  setBrakePending(t);
}

void setPowerPending(TrainState& t) { t.powerDelayPending = true; }

void setBrakePending(TrainState& t) {
  t.brakeDelayPending = true;
  t.sapDelayPending = true;
  t.elecBrakeDelayPending = true;
}

}  // namespace cab
