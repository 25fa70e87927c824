#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cab {

// Largest side of a picture we decode. Cab panels and title pictures are far
// smaller; the cap keeps a lying header from asking for gigabytes.
constexpr std::int64_t MaxPictureSide = 16384;

inline bool pictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide;
}

inline std::string pictureSizeError(std::string_view format, std::int64_t width, std::int64_t height) {
  return std::string(format) + " picture size " + std::to_string(width) + " x " + std::to_string(height) +
         " is out of range (1 to " + std::to_string(MaxPictureSide) + " per side)";
}

}  // namespace cab
