#pragma once

#include <functional>

namespace cab {

// The sound device. It pulls interleaved stereo float frames from its source
// on its own thread, at its output rate.
class AudioOut {
 public:
  using Source = std::function<void(float* out, int frames)>;

  virtual ~AudioOut() = default;
  // Frames per second the device plays.
  virtual int outputRate() const = 0;
  // Pulls from `source` from now on; an empty one plays silence. Once this
  // returns, the previous source is no longer called.
  virtual void setSource(Source source) = 0;
};

}  // namespace cab
