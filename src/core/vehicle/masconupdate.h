#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;
struct UiStrings;
struct ProtectionFlags;

// The master-controller update, run after every handle change and on every
// simulation tick: engages and releases constant speed and hold-back, and
// recomputes the controller texts, the notch-indicator frames and the
// reverser lamps.
void masconupdate(TrainState& t, const VehicleSpec& v, const UiStrings& labels, const ProtectionFlags& flags);

}  // namespace cab
