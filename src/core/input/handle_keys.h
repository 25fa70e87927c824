#pragma once

namespace cab {

class SoundChannels;
struct TrainState;
struct VehicleSpec;

// The reverser and handle characters: "f" "n" "b" the reverser, "8" "2" "5"
// "0" the handle toward power, toward brake, neutral and emergency, "z" "a"
// the power handle, "," "." "/" the brake handle of two-handle cars, "q" the
// emergency of one-handle cars. Returns true when a handle moved (or tried
// to); its delay flags are then set. Other characters change nothing.
bool handleKey(TrainState& t, const VehicleSpec& v, SoundChannels& sounds, char key);

}  // namespace cab
