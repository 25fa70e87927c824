#include "core/route/running_sounds/rail_noise.h"

#include <algorithm>
#include <cstdlib>

#include "core/common/rounding.h"
#include "core/route/running_sounds/running_sound_state.h"
#include "core/route/running_sounds/sound_levels.h"
#include "core/sound/sound_mixer.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int TopBand = 12;  // 120 km/h and above

int crossFadeVolume(long double weight) { return channelVolume(roundHalfAway(decibelLevel(2000, weight / 100))); }

}  // namespace

void railNoise(const TrainState& t, RunningSoundState& s, SoundMixer& mixer) {
  const int u = static_cast<int>(std::llabs(roundHalfAway(t.speed)));
  if (std::llabs(Round(t.speed)) < 120) {
    const int n = std::min(u / 10, 11);
    if (u > 10 && n > 1 && mixer.isPlaying(n - 1)) mixer.stop(n - 1);
    if (u < 110 && mixer.isPlaying(n + 2)) mixer.stop(n + 2);
    loopWhenSilent(mixer, n);
    loopWhenSilent(mixer, n + 1);
    s.railFadeOut = 100 - 10 * (u % 10);
    s.railFadeIn = 10 * (u % 10);
    if (s.railFadeOut == 0) s.railFadeOut = 1;
    if (s.railFadeIn == 0) s.railFadeIn = 1;
    mixer.setVolume(n + 1, crossFadeVolume(s.railFadeIn));
    if (n > 0) mixer.setVolume(n, crossFadeVolume(s.railFadeOut));
  }
  if (u >= 120 && !mixer.isPlaying(TopBand)) {
    startLoop(mixer, TopBand);
    mixer.setVolume(TopBand, 0);
  }
}

}  // namespace cab
