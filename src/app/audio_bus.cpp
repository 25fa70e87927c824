#include "app/audio_bus.h"

#include <algorithm>
#include <utility>

namespace cab::app {

AudioBus::AudioBus() {
  device_.setSource([this](float* out, int frames) { pull(out, frames); });
}

AudioBus::~AudioBus() { device_.setSource({}); }

// Once this returns the previous source is not called again: the callback
// holds the same lock while it pulls.
void AudioBus::Input::setSource(Source next) {
  std::unique_lock guard(bus_.lock_);
  std::swap(source, next);
  guard.unlock();
  // The previous source is let go outside the lock.
}

void AudioBus::pull(float* out, int frames) {
  std::fill(out, out + 2 * frames, 0.0f);
  const std::lock_guard guard(lock_);
  for (Input* input : {&title_, &drive_}) {
    if (!input->source) continue;
    for (int at = 0; at < frames; at += ChunkFrames) {
      const int count = std::min(ChunkFrames, frames - at);
      input->source(scratch_.data(), count);
      float* block = out + 2 * at;
      for (int k = 0; k < 2 * count; ++k) block[k] += scratch_[static_cast<std::size_t>(k)];
    }
  }
}

}  // namespace cab::app
