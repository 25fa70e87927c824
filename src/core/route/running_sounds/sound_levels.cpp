#include "core/route/running_sounds/sound_levels.h"

#include <algorithm>
#include <cmath>

#include "core/sound/sound_mixer.h"

namespace cab {

namespace {

constexpr int Silent = -10000;

}  // namespace

int channelVolume(std::int64_t volume) { return static_cast<int>(std::clamp<std::int64_t>(volume, Silent, 0)); }

long double decibelLevel(long double perDecade, long double ratio) {
  if (!(ratio > 0)) return Silent;
  const long double level = perDecade * std::log10(ratio);
  return std::clamp<long double>(level, Silent, 0);
}

void setRate(SoundMixer& mixer, int channel, long double ratio) {
  // A rate the formulas leave undefined (a division by a zero speed) plays
  // at the sound's own rate, as any rate of 0 or less does.
  const long double frequency = std::trunc(mixer.sourceRate(channel) * ratio);
  const bool usable = std::isfinite(frequency) && std::fabs(frequency) < 1e9L;
  mixer.setFrequency(channel, usable ? static_cast<int>(frequency) : 0);
}

void startLoop(SoundMixer& mixer, int channel) {
  mixer.stop(channel);
  mixer.loop(channel);
}

void loopWhenSilent(SoundMixer& mixer, int channel) {
  if (!mixer.isPlaying(channel)) startLoop(mixer, channel);
}

}  // namespace cab
