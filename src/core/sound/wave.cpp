#include "core/sound/wave.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace cab {

namespace {

constexpr std::uint16_t FormatPcm = 1;
constexpr std::uint16_t FormatExtensible = 0xFFFE;

std::uint32_t readLe(std::span<const std::byte> b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | std::to_integer<std::uint32_t>(b[at + std::size_t(i)]);
  return v;
}

bool hasId(std::span<const std::byte> b, std::size_t at, const char* id) { return std::memcmp(&b[at], id, 4) == 0; }

struct Format {
  std::uint16_t tag = 0;
  int channels = 0;
  int rate = 0;
  int bits = 0;
};

// The chunks a decoder needs, each the part of it that lies inside the file.
struct Chunks {
  std::span<const std::byte> format;
  std::span<const std::byte> data;
  bool hasFormat = false;
  bool hasData = false;
};

// Walks the chunks after "WAVE". A chunk that claims more than the file holds
// is cut at the file's end; odd chunk sizes are padded to the next even byte.
Chunks findChunks(std::span<const std::byte> bytes) {
  Chunks found;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::size_t size = readLe(bytes, at + 4, 4);
    const std::size_t body = at + 8;
    const std::size_t available = std::min(size, bytes.size() - body);
    const auto part = bytes.subspan(body, available);
    if (!found.hasFormat && hasId(bytes, at, "fmt ")) {
      found.format = part;
      found.hasFormat = true;
    } else if (!found.hasData && hasId(bytes, at, "data")) {
      found.data = part;
      found.hasData = true;
    }
    if (available < size) break;
    at = body + size + (size & 1);
  }
  return found;
}

// The PCM sub-format of an extensible header starts with the format tag 1.
bool isPcm(const Format& f, std::span<const std::byte> chunk) {
  if (f.tag == FormatPcm) return true;
  return f.tag == FormatExtensible && chunk.size() >= 26 && readLe(chunk, 24, 2) == FormatPcm;
}

std::optional<Wave> refuse(std::string* error, const char* reason) {
  if (error) *error = reason;
  return std::nullopt;
}

}  // namespace

std::optional<Wave> decodeWave(std::span<const std::byte> bytes, std::string* error) {
  if (bytes.size() < 12 || !hasId(bytes, 0, "RIFF") || !hasId(bytes, 8, "WAVE"))
    return refuse(error, "RIFF WAVE形式ではありません");
  const Chunks chunks = findChunks(bytes);
  if (!chunks.hasFormat) return refuse(error, "fmtチャンクがありません");
  if (chunks.format.size() < 16) return refuse(error, "fmtチャンクが短すぎます");
  const Format f{std::uint16_t(readLe(chunks.format, 0, 2)), int(readLe(chunks.format, 2, 2)),
                 int(readLe(chunks.format, 4, 4)), int(readLe(chunks.format, 14, 2))};
  if (!isPcm(f, chunks.format)) return refuse(error, "PCM形式ではありません");
  if (f.channels != 1 && f.channels != 2) return refuse(error, "モノラルかステレオではありません");
  if (f.bits != 8 && f.bits != 16) return refuse(error, "8ビットか16ビットではありません");
  if (f.rate <= 0) return refuse(error, "サンプリング周波数がありません");
  if (!chunks.hasData) return refuse(error, "dataチャンクがありません");

  Wave wave;
  wave.sampleRate = f.rate;
  wave.channelCount = f.channels;
  const std::size_t sampleBytes = std::size_t(f.bits / 8);
  const std::size_t frameBytes = sampleBytes * std::size_t(f.channels);
  // A cut-off last frame is dropped.
  const std::size_t frames = chunks.data.size() / frameBytes;
  wave.samples.resize(frames * std::size_t(f.channels));
  for (std::size_t i = 0; i < wave.samples.size(); ++i) {
    const std::size_t at = i * sampleBytes;
    if (f.bits == 8)
      wave.samples[i] = (float(readLe(chunks.data, at, 1)) - 128.0f) / 128.0f;
    else
      wave.samples[i] = float(std::int16_t(readLe(chunks.data, at, 2))) / 32768.0f;
  }
  return wave;
}

}  // namespace cab
