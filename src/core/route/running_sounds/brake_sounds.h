#pragma once

namespace cab {

class SoundMixer;
struct ProtectionFlags;
struct RunningSoundState;
struct TrainState;
struct VehicleSpec;

// The wheel squeal of the air brake: it loops while the trailer cylinders
// brake a moving train without electric brake, loudest at low speed and high
// pressure, and dies away once the pressure is gone or the train stands.
void wheelSqueal(const TrainState& t, const VehicleSpec& v, SoundMixer& mixer);

// The air sounds of the brake: the release sound once per release, the
// emergency application once per emergency, and on the automatic air brake
// the brake-pipe exhaust in the apply position and the brake-pipe charging.
void brakeAirSounds(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, RunningSoundState& s,
                    SoundMixer& mixer);

}  // namespace cab
