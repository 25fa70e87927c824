#include "headless/wave_file_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cab::headless {

namespace {

constexpr int Channels = 2;
constexpr int BytesPerSample = 2;
constexpr int HeaderBytes = 44;

void putLe(std::ofstream& f, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) f.put(char((v >> (8 * i)) & 0xFF));
}

void writeHeader(std::ofstream& f, int rate, std::uint32_t dataBytes) {
  f.write("RIFF", 4);
  putLe(f, 36 + dataBytes, 4);
  f.write("WAVEfmt ", 8);
  putLe(f, 16, 4);
  putLe(f, 1, 2);  // PCM
  putLe(f, Channels, 2);
  putLe(f, std::uint32_t(rate), 4);
  putLe(f, std::uint32_t(rate * Channels * BytesPerSample), 4);
  putLe(f, Channels * BytesPerSample, 2);
  putLe(f, 8 * BytesPerSample, 2);
  f.write("data", 4);
  putLe(f, dataBytes, 4);
}

}  // namespace

bool WaveFileWriter::open(const std::string& path, int sampleRate) {
  file_.open(path, std::ios::binary | std::ios::trunc);
  if (!file_) return false;
  writeHeader(file_, sampleRate, 0);
  return bool(file_);
}

void WaveFileWriter::append(const float* stereo, int frames) {
  char bytes[2 * Channels * 256];
  for (int at = 0; at < frames; at += 256) {
    const int count = std::min(256, frames - at);
    for (int k = 0; k < count * Channels; ++k) {
      const float x = std::clamp(stereo[Channels * at + k], -1.0f, 1.0f);
      const auto v = std::uint16_t(std::int16_t(std::lrint(x * 32767.0f)));
      bytes[2 * k] = char(v & 0xFF);
      bytes[2 * k + 1] = char(v >> 8);
    }
    file_.write(bytes, std::streamsize(count * Channels * BytesPerSample));
  }
  frames_ += std::uint64_t(frames);
}

// The sizes are written over the header's zeros.
bool WaveFileWriter::finish() {
  // A mix beyond what a WAVE header can count keeps the largest size it can.
  const std::uint64_t limit = std::numeric_limits<std::uint32_t>::max() - 36;
  const auto dataBytes = std::uint32_t(std::min<std::uint64_t>(frames_ * Channels * BytesPerSample, limit));
  file_.seekp(4);
  putLe(file_, 36 + dataBytes, 4);
  file_.seekp(HeaderBytes - 4);
  putLe(file_, dataBytes, 4);
  file_.close();
  return !file_.fail();
}

}  // namespace cab::headless
