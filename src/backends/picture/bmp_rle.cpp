#include "backends/picture/bmp_rle.h"

#include <cstddef>

namespace cab {

namespace {

// Writes palette indices at a moving position of the bottom-up index buffer,
// clipping whatever falls outside the picture.
class IndexCursor {
 public:
  IndexCursor(std::vector<std::uint8_t>& indices, int width, int height)
      : indices_(indices), width_(width), height_(height) {}

  void put(std::uint8_t index) {
    if (x_ < width_ && y_ < height_) indices_[static_cast<std::size_t>(y_) * width_ + x_] = index;
    ++x_;
  }
  void endLine() {
    x_ = 0;
    ++y_;
  }
  void move(int dx, int dy) {
    x_ += dx;
    y_ += dy;
  }
  bool done() const { return y_ >= height_; }

 private:
  std::vector<std::uint8_t>& indices_;
  int width_;
  int height_;
  int x_ = 0;
  int y_ = 0;
};

std::uint8_t nibble(std::uint8_t byte, int i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; }

}  // namespace

std::optional<std::string> expandBmpRle(std::string_view data, int bitsPerPixel, int width, int height,
                                        std::vector<std::uint8_t>& indices) {
  indices.assign(static_cast<std::size_t>(width) * height, 0);
  IndexCursor cursor(indices, width, height);
  const bool rle4 = bitsPerPixel == 4;
  auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(data[i]); };
  std::size_t pos = 0;
  while (!cursor.done()) {
    if (pos + 2 > data.size()) return "BMP RLE data ends before the picture is complete";
    const int count = byteAt(pos);
    const std::uint8_t value = byteAt(pos + 1);
    pos += 2;
    if (count > 0) {  // a run of one index (RLE4: two alternating indices)
      for (int i = 0; i < count; ++i) cursor.put(rle4 ? nibble(value, i) : value);
      continue;
    }
    if (value == 0) {
      cursor.endLine();
    } else if (value == 1) {
      return std::nullopt;  // end of bitmap: the rest keeps index 0
    } else if (value == 2) {
      if (pos + 2 > data.size()) return "BMP RLE delta ends before its offsets";
      cursor.move(byteAt(pos), byteAt(pos + 1));
      pos += 2;
    } else {  // absolute mode: `value` literal indices, padded to an even byte count
      const std::size_t literalBytes = rle4 ? (value + 1u) / 2 : value;
      const std::size_t paddedBytes = (literalBytes + 1) & ~std::size_t{1};
      if (pos + literalBytes > data.size()) return "BMP RLE literal run ends before its pixels";
      for (int i = 0; i < value; ++i) cursor.put(rle4 ? nibble(byteAt(pos + i / 2), i) : byteAt(pos + i));
      pos += paddedBytes;
    }
  }
  return std::nullopt;
}

}  // namespace cab
