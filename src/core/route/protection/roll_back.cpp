#include "core/route/protection/roll_back.h"

#include "core/data/vehicle_spec.h"
#include "core/route/protection/protection_context.h"
#include "core/route/protection/protection_state.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr long double RollBackSpeed = 7;  // km/h

}  // namespace

void rollBackProtection(TrainState& t, ProtectionState& p, const ProtectionContext& c) {
  if (c.vehicle.Back != 1 || t.reverser * t.speed >= -RollBackSpeed || p.atsEmergency) return;
  c.sound.restart(c.vehicle.Sound_Atc);
  p.atsEmergency = true;
  demandChanged(t, p, c);
}

}  // namespace cab
