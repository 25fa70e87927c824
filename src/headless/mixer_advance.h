#pragma once

#include <array>

namespace cab {
class SoundMixer;
}

namespace cab::headless {

class WaveFileWriter;

// Moves the drive's mixer along the virtual clock: advanceTo(ms) renders the
// output frames between the last call and `ms`, so that a one-shot sound ends
// at the same simulated moment in every run. The frame count follows the
// clock exactly (it is computed from the absolute time, not added up per
// step). The mix goes to `recording` when one is given.
class MixerAdvance {
 public:
  MixerAdvance(SoundMixer& mixer, WaveFileWriter* recording);
  void advanceTo(long long ms);

 private:
  static constexpr int ScratchFrames = 1024;

  SoundMixer& mixer_;
  WaveFileWriter* recording_;
  std::array<float, 2 * ScratchFrames> scratch_{};
};

}  // namespace cab::headless
