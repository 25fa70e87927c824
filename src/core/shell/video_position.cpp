#include "core/shell/video_position.h"

#include <cstdlib>

#include "core/common/rounding.h"
#include "core/vehicle/train_state.h"

namespace cab {

void advanceVideoPosition(TrainState& t, int videoFrameRate, long double frameMs) {
  t.frameAccumulator += static_cast<int>(std::llabs(roundHalfAway(t.speed * videoFrameRate * frameMs / 1000)));
  if (t.frameAccumulator < t.filmSpeed) return;
  if (t.filmSpeed == 0) {
    // A stretch without a recording speed moves two frames per unit.
    const int step = static_cast<int>(roundHalfAway(std::abs(t.frameAccumulator / 0.5L)));
    if (t.speed > 0) t.frame += step;
    if (t.speed < 0) t.frame -= step;
    t.frameAccumulator = 0;
  } else if (t.filmSpeed >= 1) {
    const int q = t.frameAccumulator / t.filmSpeed;
    if (t.speed > 0) t.frame += q;
    if (t.speed < 0) t.frame -= q;
    t.frameAccumulator %= t.filmSpeed;
  }
}

int swayOffset(long double viewSway) { return static_cast<int>(roundHalfAway(25 * viewSway)) - 10; }

}  // namespace cab
