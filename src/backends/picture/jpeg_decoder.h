#pragma once

#include <string_view>

#include "core/platform/picture_loader.h"

namespace cab {

// JPEG through libjpeg: YCbCr, RGB, grayscale, CMYK and YCCK pictures. Any
// corrupt-data warning of the library fails the picture.
PictureLoader::Result decodeJpeg(std::string_view bytes);

}  // namespace cab
