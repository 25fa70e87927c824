#include "backends/picture/png_decoder.h"

#include <bit>
#include <cstdint>
#include <string>

#include "backends/picture/picture_limits.h"

#include <png.h>

namespace cab {

namespace {

// PNG_FORMAT_BGRA bytes read as one 0xAARRGGBB word only on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

// Deflate expands at most about 1032 times and a pixel takes at least one bit
// of the inflated data, so a header promising more pixels than this per byte
// of file cannot be backed by its data.
constexpr std::int64_t MaxPngPixelsPerByte = 8 * 1032;

struct ImageGuard {
  png_image& image;
  ~ImageGuard() { png_image_free(&image); }
};

PictureLoader::Error pngError(const png_image& image) { return {"PNG: " + std::string(image.message)}; }

}  // namespace

PictureLoader::Result decodePng(std::string_view bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ImageGuard guard{image};
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return pngError(image);
  if (!pictureSizeAllowed(image.width, image.height)) return PictureLoader::Error{pictureSizeError("PNG", image.width, image.height)};
  const std::int64_t pixels = static_cast<std::int64_t>(image.width) * image.height;
  if (pixels > MaxPngPixelsPerByte * static_cast<std::int64_t>(bytes.size())) {
    return PictureLoader::Error{"PNG file (" + std::to_string(bytes.size()) + " bytes) is too short for " +
                                std::to_string(image.width) + " x " + std::to_string(image.height) + " pixels"};
  }
  image.format = PNG_FORMAT_BGRA;
  Picture picture(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) return pngError(image);
  return picture;
}

}  // namespace cab
