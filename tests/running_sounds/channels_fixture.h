#pragma once

#include <memory>
#include <vector>

#include "core/sound/sound_mixer.h"

namespace cab::testing {

constexpr int SourceRate = 22050;

// A mixer whose first `count` channels each hold a one-second sound at
// 22050 Hz, so that every rule can start, stop and tune them.
inline std::unique_ptr<SoundMixer> mixerWithSounds(int count = 40) {
  auto mixer = std::make_unique<SoundMixer>(SourceRate);
  auto wave = std::make_shared<Wave>();
  wave->sampleRate = SourceRate;
  wave->channelCount = 1;
  wave->samples.assign(SourceRate, 0.1f);
  for (int c = 0; c < count; ++c) mixer->bind(c, wave);
  return mixer;
}

// The channels of `mixer` below `count` that sound.
inline std::vector<int> playingChannels(const SoundMixer& mixer, int count = 40) {
  std::vector<int> playing;
  for (int c = 0; c < count; ++c)
    if (mixer.isPlaying(c)) playing.push_back(c);
  return playing;
}

// The playback rate of a channel as a factor of its sound's own rate.
inline double rateOf(const SoundMixer& mixer, int channel) { return double(mixer.frequency(channel)) / SourceRate; }

// Lets `seconds` of sound go by.
inline void advance(SoundMixer& mixer, double seconds) {
  std::vector<float> out(std::size_t(2 * 1024));
  for (int frames = int(seconds * mixer.outputRate()); frames > 0; frames -= 1024)
    mixer.render(out.data(), std::min(frames, 1024));
}

}  // namespace cab::testing
