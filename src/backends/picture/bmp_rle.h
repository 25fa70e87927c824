#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cab {

// Expands RLE8 (bitsPerPixel 8) or RLE4 (bitsPerPixel 4) bitmap data into one
// palette index per pixel, rows bottom-up as stored. Pixels the data skips
// (delta, early end of line or of bitmap) keep index 0. Returns the error text
// when the data ends before the picture is complete.
std::optional<std::string> expandBmpRle(std::string_view data, int bitsPerPixel, int width, int height,
                                        std::vector<std::uint8_t>& indices);

}  // namespace cab
