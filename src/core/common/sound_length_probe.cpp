#include "core/common/sound_length_probe.h"

#include <cstdint>

namespace cab {

namespace {

std::int32_t readLe32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return static_cast<std::int32_t>(v);
}

}  // namespace

SoundLength probeSoundLength(std::string_view header) {
  if (header.size() < 44) return {0, "サウンドファイルのヘッダが短すぎます"};
  std::int32_t bytesPerSecond = readLe32(header, 28);
  std::int32_t dataSize = readLe32(header, 40);
  if (bytesPerSecond <= 0) return {0, "サウンドファイルのヘッダに誤りがあります"};
  return {static_cast<int>(dataSize / bytesPerSecond), {}};
}

}  // namespace cab
