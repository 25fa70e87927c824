#include "core/vehicle/handle_sounds.h"

#include <cmath>

#include "core/data/vehicle_spec.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"
#include "core/vehicle/vehicle_tables.h"

namespace cab {

namespace {

void restart(SoundChannels& sound, int channel) {
  if (channel >= 0) sound.restart(channel);
}

void restartIfSilent(SoundChannels& sound, int channel) {
  if (channel >= 0 && !sound.isPlaying(channel)) sound.restart(channel);
}

void automaticBrakeSounds(const TrainState& t, const VehicleSpec& v, SoundChannels& sound) {
  const int step = -t.brakeCommand;
  if (t.brakeHandle == 0 && t.brakeCommand < 0)
    restartIfSilent(sound, brakeSoundChannel(v.Sound_BK, step, 1));
  else if (t.brakeHandle > t.brakeCommand)
    restartIfSilent(sound, brakeSoundChannel(v.Sound_BR, step, 1));
  else if (t.brakeHandle < t.brakeCommand && t.brakeHandle > -v.Brake)
    restartIfSilent(sound, brakeSoundChannel(v.Sound_BA, step, 1));
}

void steppedBrakeSounds(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, SoundChannels& sound) {
  const int position = -t.brakeHandle;
  if (t.brakeHandle < t.brakeCommand) {
    restartIfSilent(sound, brakeSoundChannel(v.Sound_BA, position, 1));
    // Above 15 km/h the EB application sounds only while the EB sound lasts.
    const bool ebAtSpeed = t.brakeHandle == -v.Brake && std::fabs(t.speed) > 15;
    if (!ebAtSpeed || sound.isPlaying(v.Sound_EB[0])) restart(sound, brakeSoundChannel(v.Sound_BA, position, 0));
  } else if (t.brakeHandle > t.brakeCommand) {
    restart(sound, brakeSoundChannel(v.Sound_BR, position, 0));
  }
  if (t.brakeHandle == 0 && t.brakeCommand < 0 && !flags.any())
    restart(sound, brakeSoundChannel(v.Sound_BK, -t.brakeCommand, 0));
}

void powerSounds(const TrainState& t, const VehicleSpec& v, SoundChannels& sound) {
  if (t.powerHandle == 0 && t.powerNotch > 0)
    restart(sound, powerSoundChannel(v.Sound_PK, t.powerNotch - 1));
  else if (t.powerHandle > t.powerNotch)
    restart(sound, powerSoundChannel(v.Sound_PA, t.powerNotch));
  else if (t.powerHandle < t.powerNotch)
    restart(sound, powerSoundChannel(v.Sound_PR, t.powerNotch - 1));
}

}  // namespace

void PlayHandleSounds(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, SoundChannels& sound) {
  if (t.brakeCommand > t.brakeHandle)
    for (int step = 1; step <= v.Brake; ++step)
      for (int channel : {brakeSoundChannel(v.Sound_BK, step, 1), brakeSoundChannel(v.Sound_BR, step, 1),
                          brakeSoundChannel(v.Sound_BA, step, 1)})
        if (channel >= 0) sound.stop(channel);
  if (v.BrakeType == 0)
    automaticBrakeSounds(t, v, sound);
  else
    steppedBrakeSounds(t, v, flags, sound);
  powerSounds(t, v, sound);
}

}  // namespace cab
