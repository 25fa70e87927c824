#include "core/route/callouts/callout_queue.h"

#include <algorithm>
#include <exception>

#include "core/platform/dialogs.h"
#include "core/sound/sound_mixer.h"

namespace cab {

namespace {

constexpr const char* PlaybackError = "喚呼の再生エラー";

}  // namespace

void kanko_queue_add(CalloutQueue& q, const WavePtr& wave) {
  q.calloutQueueBusy = true;
  const auto free = std::find(q.waves.begin(), q.waves.end(), nullptr);
  if (free != q.waves.end()) *free = wave;
  q.calloutQueueBusy = false;
}

void kanko_queue_play(CalloutQueue& q, SoundMixer& mixer, int channel, bool calloutsOff, Dialogs& dialogs) {
  const auto empty = [&q] {
    return std::all_of(q.waves.begin(), q.waves.end(), [](const WavePtr& w) { return w == nullptr; });
  };
  // Nothing waits and nothing has played: the channel is not touched.
  if (q.calloutQueueBusy || (!q.calloutPlaying && empty()) || mixer.isPlaying(channel)) return;
  if (q.calloutPlaying) {
    q.calloutPlaying = false;
    std::shift_left(q.waves.begin(), q.waves.end(), 1);
    q.waves.back() = nullptr;
  }
  if (empty()) return;
  try {
    // A channel the mixer refuses is reported by the mixer itself.
    mixer.bind(channel, q.waves.front());
    if (!mixer.hasWave(channel)) {
      dialogs.message(PlaybackError);
      return;
    }
    if (!calloutsOff) mixer.play(channel);
    q.calloutPlaying = true;
  } catch (const std::exception& e) {
    dialogs.message(PlaybackError);
    dialogs.message(e.what());
  }
}

}  // namespace cab
