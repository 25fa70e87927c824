#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;
struct ProtectionFlags;
class SoundChannels;

// The handle sounds after a key: brake application, release and return to
// running by the handle's distance from the effective command, and the
// power notching sounds.
void PlayHandleSounds(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, SoundChannels& sound);

}  // namespace cab
