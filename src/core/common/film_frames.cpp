#include "core/common/film_frames.h"

#include <cstdlib>

#include "core/common/rounding.h"

namespace cab {

void advanceFilmFrames(int& frame, int& accumulator, long double speed, int filmSpeed, int videoFrameRate,
                       long double frameMs) {
  accumulator += static_cast<int>(std::llabs(roundHalfAway(speed * videoFrameRate * frameMs / 1000)));
  if (accumulator < filmSpeed) return;
  if (filmSpeed == 0) {
    const int step = static_cast<int>(roundHalfAway(std::abs(accumulator / 0.5L)));
    if (speed > 0) frame += step;
    if (speed < 0) frame -= step;
    accumulator = 0;
  } else if (filmSpeed >= 1) {
    const int q = accumulator / filmSpeed;
    if (speed > 0) frame += q;
    if (speed < 0) frame -= q;
    accumulator %= filmSpeed;
  }
}

}  // namespace cab
