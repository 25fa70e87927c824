#pragma once

namespace cab {

struct ProtectionContext;
struct ProtectionState;
struct TrainState;

// Roll-back protection (tick step 37, "[Back]" 1): moving against the
// reverser faster than 7 km/h applies the emergency brake.
void rollBackProtection(TrainState& t, ProtectionState& p, const ProtectionContext& c);

}  // namespace cab
