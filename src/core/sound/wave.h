#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cab {

// One decoded WAVE file: samples as floats in [-1, 1], interleaved when stereo.
struct Wave {
  int sampleRate = 0;
  int channelCount = 0;  // 1 or 2
  std::vector<float> samples;

  std::size_t frameCount() const { return channelCount > 0 ? samples.size() / std::size_t(channelCount) : 0; }
};

// Decodes a RIFF WAVE file of 8- or 16-bit PCM, mono or stereo, at any rate.
// Anything else is refused: no value, and `error` (when given) says why.
std::optional<Wave> decodeWave(std::span<const std::byte> bytes, std::string* error = nullptr);

}  // namespace cab
