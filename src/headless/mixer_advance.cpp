#include "headless/mixer_advance.h"

#include <algorithm>
#include <cstdint>

#include "core/sound/sound_mixer.h"
#include "headless/wave_file_writer.h"

namespace cab::headless {

MixerAdvance::MixerAdvance(SoundMixer& mixer, WaveFileWriter* recording) : mixer_(mixer), recording_(recording) {}

void MixerAdvance::advanceTo(long long ms) {
  const std::int64_t due = std::int64_t(ms) * mixer_.outputRate() / 1000;
  for (std::int64_t left = due - mixer_.renderedFrames(); left > 0;) {
    const int frames = int(std::min<std::int64_t>(left, ScratchFrames));
    mixer_.render(scratch_.data(), frames);
    if (recording_) recording_->append(scratch_.data(), frames);
    left -= frames;
  }
}

}  // namespace cab::headless
