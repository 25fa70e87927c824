#pragma once

#include <string_view>

#include "core/platform/picture_loader.h"

namespace cab {

// Windows bitmap: core (12-byte) and info headers (40, 52, 56, 108, 124 bytes);
// 1, 4, 8, 16, 24 and 32 bits per pixel; uncompressed, bit fields, RLE8 and RLE4.
PictureLoader::Result decodeBmp(std::string_view bytes);

}  // namespace cab
