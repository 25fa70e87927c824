#pragma once

namespace cab {

class SoundMixer;
struct ProtectionFlags;
struct RunningSoundState;
struct SoundBank;
struct TrainState;
struct VehicleSpec;

// The traction motor sounds of an electric vehicle ("[EngineSound1]" rows):
// pitch and volume interpolated over the speed between the row's four
// points, each row faded in while its kind of running (traction, braking,
// any) holds and out when it ends, under a master level that follows the
// driver's controls. The rows' volumes and fades live in the bank.
void electricMotorSounds(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, SoundBank& bank,
                         RunningSoundState& s, SoundMixer& mixer);

// The diesel engine's sounds: the "[EngineSound1]" rows over the engine
// speed, the idle sounds with the doors closed or open, and the gear sounds
// ("[EngineSound3]") over the train's speed, each group under its master
// level. `doorClosingTicks` counts the ticks since a door-close request.
void dieselEngineSounds(const TrainState& t, const VehicleSpec& v, int doorClosingTicks, SoundBank& bank,
                        RunningSoundState& s, SoundMixer& mixer);

// The click of a resistor step: when the physics has stepped the resistor
// and the step's "[CurrentP]" row has a sound, it plays once the channel is
// silent; until then the step stays flagged.
void resistorStepSound(TrainState& t, const VehicleSpec& v, SoundMixer& mixer);

}  // namespace cab
