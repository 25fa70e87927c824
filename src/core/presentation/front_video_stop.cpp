#include "core/presentation/front_video.h"
#include "core/presentation/front_video_sound.h"
#include "core/vehicle/train_state.h"

namespace cab {

bool applyMovieStops(std::span<const int> MovieStop, const FrontVideo& video, bool reverseRunning, TrainState& train,
                     VideoSoundChannels& channels, int silencedChannels) {
  if (video.videoSwitchState > 0) return false;
  bool stopped = false;
  for (const int m : MovieStop) {
    bool reached = false;
    if (!reverseRunning && train.speed > 0 && m <= train.frame && m > train.prevFrame) {
      train.frame = m;
      reached = true;
    } else if (reverseRunning && train.speed < 0 && m >= train.frame && m < train.prevFrame) {
      train.frame = m + 1;
      reached = true;
    }
    if (!reached) continue;
    // The end of the recorded line: the train stands dead and falls silent.
    train.speed = 0;
    train.frameAccumulator = 0;
    train.powerHandle = 0;
    train.powerNotch = 0;
    for (int channel = 1; channel <= silencedChannels; ++channel) channels.stop(channel);
    stopped = true;
  }
  return stopped;
}

}  // namespace cab
