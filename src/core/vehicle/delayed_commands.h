#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;
struct ProtectionFlags;

// The value an effective brake command takes: the protection's emergency
// brake, the strongest service step under the pattern brake (unless the
// handle is at EB), otherwise the brake handle.
int overrideBrake(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags);

// Copies the power handle into the effective notch once the power delay has
// run. A step back to a notch below the notch-back limit (other than 0) does
// not take effect. `frameMs` is the rounded frame time.
void updatePowerNotch(TrainState& t, const VehicleSpec& v, int frameMs, int videoMode);

// Copies the brake handle into the brake, straight-air and electric-brake
// commands after their delays. Returns false when a pending electric-brake
// change was dropped below the take-up speed: the rest of the physics step
// is then skipped.
bool updateBrakeCommands(TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, int frameMs);

}  // namespace cab
