#pragma once

namespace cab {

struct ProtectionContext;
struct ProtectionState;
struct TrainState;

// The spot type's bell (tick step 22): a stop warning or a stop point rings
// the bell until the driver acknowledges with the handle braking; the
// acknowledged alarm turns into the chime; a stop point passed while the bell
// starts brakes at once. Then, for every type, an alarm not acknowledged
// within "[ATS_Time]" seconds applies the emergency brake.
void spotTypeBell(TrainState& t, ProtectionState& p, const ProtectionContext& c);

// The space key: acknowledges the bell, or silences the chime.
void AtsAcknowledge(const TrainState& t, ProtectionState& p, const ProtectionContext& c);

// The "r" key: releases the protection's emergency or service brake once the
// train stands with the handle braking.
void AtsReset(TrainState& t, ProtectionState& p, const ProtectionContext& c);

}  // namespace cab
