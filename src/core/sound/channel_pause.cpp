#include "core/sound/channel_pause.h"

namespace cab {

ChannelResume pauseChannels(SoundMixer& sound) {
  ChannelResume resume{};
  for (int c = 0; c < SoundMixer::ChannelCount; ++c) {
    if (!sound.hasWave(c)) continue;
    resume[std::size_t(c)] = sound.isLooping(c) ? 2 : sound.isPlaying(c) ? 1 : 0;
    if (resume[std::size_t(c)] != 0) sound.stop(c);
  }
  return resume;
}

void resumeChannels(SoundMixer& sound, const ChannelResume& resume) {
  for (int c = 0; c < SoundMixer::ChannelCount; ++c) {
    const int was = resume[std::size_t(c)];
    if (was == 0) continue;
    sound.stop(c);
    if (was == 2)
      sound.loop(c);
    else
      sound.play(c);
  }
}

void stopChannels(SoundMixer& sound) {
  for (int c = 0; c < SoundMixer::ChannelCount; ++c) sound.stop(c);
}

}  // namespace cab
