#pragma once

namespace cab {

struct ProtectionContext;
struct ProtectionState;
struct TrainState;

// Cab signalling ("[ATS_Type]" 2, tick step 21): the cab-signal pictures 35
// to 42 carry the speeds of the "[Lamp_signal]" list; above one, less
// 0.4 km/h, the stop picture applies the emergency brake and the others the
// service brake, which is released again below it.
void cabSignalling(TrainState& t, ProtectionState& p, const ProtectionContext& c, int shownSignalImage);

}  // namespace cab
