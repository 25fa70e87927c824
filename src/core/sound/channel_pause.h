#pragma once

#include <array>

#include "core/sound/sound_mixer.h"

namespace cab {

// What each channel was doing when the drive paused: 0 silent, 1 playing
// once, 2 looping.
using ChannelResume = std::array<int, SoundMixer::ChannelCount>;

// Remembers what every channel with a wave is doing and silences it.
ChannelResume pauseChannels(SoundMixer& sound);
// Starts every remembered channel again from the beginning of its wave, once
// or looping.
void resumeChannels(SoundMixer& sound, const ChannelResume& resume);
// Silences every channel (the drive's close).
void stopChannels(SoundMixer& sound);

}  // namespace cab
