#include "core/presentation/panel/ammeter_mode.h"

#include "core/data/vehicle_spec.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

// A notch whose curve starts below zero brakes electrically.
bool brakingNotch(const VehicleSpec& v, int notch) {
  if (notch < 1 || notch > static_cast<int>(v.Notch.size())) return false;
  return v.Notch[static_cast<std::size_t>(notch - 1)].a0 < 0;
}

}  // namespace

int ammeterMode(const TrainState& t, const VehicleSpec& v) {
  const bool brakeCurrent = t.elecBrakeCurrent > 0;
  if (t.holdBack && t.resistForce > 0 && brakeCurrent) return 1;
  if (t.brakeCommand < 0 && t.brakeCommand > -v.Brake && brakeCurrent) return 1;
  if (t.suppressStep > 0 && brakeCurrent) return 1;
  if (t.powerHandle > 0 && t.tractiveForce < 0 && brakingNotch(v, t.powerNotch)) return 1;
  if (t.powerNotch > 0 && (v.DoorLock == 0 || (v.DoorLock == 1 && !t.doorsOpen))) return 2;
  return 0;
}

}  // namespace cab
