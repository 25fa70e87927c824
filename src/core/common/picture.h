#pragma once

#include <cstdint>
#include <vector>

namespace cab {

// A decoded picture: rows top-down, pixels 0xAARRGGBB (alpha 255 unless the
// file carries transparency).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  Picture() = default;
  Picture(int w, int h, std::uint32_t fill = 0xFF000000u)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

  bool empty() const { return width <= 0 || height <= 0; }
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace cab
