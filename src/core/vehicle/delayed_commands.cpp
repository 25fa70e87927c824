#include "core/vehicle/delayed_commands.h"

#include "core/data/vehicle_spec.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"

namespace cab {

int overrideBrake(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags) {
  if (flags.emergency()) return -v.Brake;
  if (flags.patternBrake && t.brakeHandle != -v.Brake) return -v.Brake + 1;
  return t.brakeHandle;
}

void updatePowerNotch(TrainState& t, const VehicleSpec& v, int frameMs, int videoMode) {
  if (!t.powerDelayPending) return;
  t.powerDelayElapsed += frameMs;
  if (t.powerDelayElapsed < v.PowerDelay) return;
  t.powerDelayPending = false;
  t.powerDelayElapsed = 0;
  if (videoMode != 0 && videoMode != 2) return;
  if (t.powerNotch <= t.powerHandle || t.powerHandle >= v.NotchBack || t.powerHandle == 0) t.powerNotch = t.powerHandle;
}

bool updateBrakeCommands(TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, int frameMs) {
  if (t.brakeDelayPending) {
    t.brakeDelayElapsed += frameMs;
    // With the cylinders already charged the command follows sooner.
    const long double delay = t.bcTrailer.raw() > 0 ? 0.7L * v.BrakeDelay : v.BrakeDelay;
    if (t.brakeDelayElapsed >= delay) {
      t.brakeDelayPending = false;
      t.brakeDelayElapsed = 0;
      t.brakeCommand = overrideBrake(t, v, flags);
    }
  }
  if (t.sapDelayPending) {
    t.sapDelayElapsed += frameMs;
    if (t.sapDelayElapsed >= v.SAPDelay) {
      t.sapDelayPending = false;
      t.sapDelayElapsed = 0;
      t.sapCommand = overrideBrake(t, v, flags);
    }
  }
  if (t.elecBrakeDelayPending) {
    if (t.elecBrakeCommand == 0 && t.speed < v.Lose_elec[0]) {
      t.elecBrakeDelayPending = false;
      t.elecBrakeDelayElapsed = 0;
      return false;
    }
    if (t.elecBrakeCommand == 0)
      t.elecBrakeDelayElapsed += frameMs;
    else
      t.elecBrakeDelayElapsed = v.EBrakeDelay;
    if (t.elecBrakeDelayElapsed >= v.EBrakeDelay) {
      t.elecBrakeDelayPending = false;
      t.elecBrakeDelayElapsed = 0;
      t.elecBrakeCommand = overrideBrake(t, v, flags);
    }
  }
  return true;
}

}  // namespace cab
