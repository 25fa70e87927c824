#pragma once

#include <sstream>
#include <string>

#include "core/platform/picture_loader.h"

namespace cab::testing {

// Decodes "FAKE <width> <height>" into a picture whose pixel (x, y) is
// 0xFFwwxxyy (w the width), so a picture's size and every pixel can be told
// from the colour; anything else is not a picture.
class FakePictureLoader : public PictureLoader {
 public:
  static std::uint32_t pixel(int width, int x, int y) {
    return 0xFF000000u | static_cast<std::uint32_t>(width & 0xFF) << 16 | static_cast<std::uint32_t>(x & 0xFF) << 8 |
           static_cast<std::uint32_t>(y & 0xFF);
  }

  Result decode(std::string_view bytes) const override {
    std::istringstream in{std::string(bytes)};
    std::string tag;
    int w = 0, h = 0;
    if (!(in >> tag >> w >> h) || tag != "FAKE" || w <= 0 || h <= 0) return Error{"not a picture"};
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) p.at(x, y) = pixel(w, x, y);
    return p;
  }
};

}  // namespace cab::testing
