#pragma once

#include <string_view>

#include "core/platform/picture_loader.h"

namespace cab {

// PNG through libpng's simplified reader, every colour type and depth to 8-bit
// BGRA with the file's transparency.
PictureLoader::Result decodePng(std::string_view bytes);

}  // namespace cab
