#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace cab::headless {

// Writes interleaved stereo float frames as a 16-bit PCM WAVE file as they
// come; the header's sizes are filled in by finish().
class WaveFileWriter {
 public:
  // False when the file cannot be written.
  bool open(const std::string& path, int sampleRate);
  void append(const float* stereo, int frames);
  // Completes the header. Returns false when anything could not be written.
  bool finish();

 private:
  std::ofstream file_;
  std::uint64_t frames_ = 0;
};

}  // namespace cab::headless
