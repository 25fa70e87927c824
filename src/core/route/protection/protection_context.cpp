#include "core/route/protection/protection_context.h"

#include "core/route/protection/protection_state.h"
#include "core/vehicle/masconupdate.h"
#include "core/vehicle/train_state.h"

namespace cab {

void setDelayPending(TrainState& t, bool power) {
  t.brakeDelayPending = t.sapDelayPending = t.elecBrakeDelayPending = true;
  if (power) t.powerDelayPending = true;
}

void demandChanged(TrainState& t, const ProtectionState& p, const ProtectionContext& c, bool power) {
  setDelayPending(t, power);
  masconupdate(t, c.vehicle, c.labels, p.flags());
}

}  // namespace cab
