#include "core/shell/video_position.h"

#include "core/common/film_frames.h"
#include "core/common/rounding.h"
#include "core/vehicle/train_state.h"

namespace cab {

void advanceVideoPosition(TrainState& t, int videoFrameRate, long double frameMs) {
  advanceFilmFrames(t.frame, t.frameAccumulator, t.speed, t.filmSpeed, videoFrameRate, frameMs);
}

int swayOffset(long double viewSway) { return static_cast<int>(roundHalfAway(25 * viewSway)) - 10; }

}  // namespace cab
