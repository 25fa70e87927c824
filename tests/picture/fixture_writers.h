#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/picture.h"

namespace cab::test {

// A bitmap to write: palette pictures take `indices`, direct-colour ones take
// `picture`'s pixels (top-down 0xAARRGGBB either way).
struct BmpLayout {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
  bool topDown = false;
  std::uint32_t headerSize = 40;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;  // written into the header; also the palette length when not zero
  std::vector<std::uint32_t> palette;
  std::vector<std::uint8_t> indices;
  Picture picture;
  std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha for bit-field pictures
};

std::string writeBmp(const BmpLayout& layout);

// A bitmap header for hand-made pixel data (RLE): info header of 40 bytes,
// the palette, then `data`.
std::string writeBmpWithData(int width, int height, int bitsPerPixel, std::uint32_t compression,
                             const std::vector<std::uint32_t>& palette, const std::string& data);

enum class JpegColour { Rgb, Gray, AdobeCmyk };
std::string writeJpeg(const Picture& picture, int quality, JpegColour colour = JpegColour::Rgb,
                      bool progressive = false);

std::string writePng(const Picture& picture, bool withAlpha);

}  // namespace cab::test
