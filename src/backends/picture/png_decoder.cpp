#include "backends/picture/png_decoder.h"

#include <png.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

#include "backends/picture/picture_limits.h"

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

// The library's simplified reader stops after the image data, so a file cut
// after it would pass: walk the chunk lengths up to a complete IEND chunk.
bool chunksReachEnd(std::string_view bytes) {
  std::size_t at = 8;  // after the signature
  while (bytes.size() - at >= 12) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
    const std::uint64_t length = byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
    if (length > bytes.size() - at - 12) return false;
    if (bytes.substr(at + 4, 4) == "IEND") return true;
    at += 12 + static_cast<std::size_t>(length);
  }
  return false;
}

PictureLoader::Error pngError(const png_image& image) { return {"PNG: " + std::string(image.message)}; }

}  // namespace

PictureLoader::Result decodePng(std::string_view bytes) {
  if (!chunksReachEnd(bytes)) return PictureLoader::Error{"PNG file is truncated (it ends before its IEND chunk)"};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ImageGuard guard{image};
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return pngError(image);
  if (!pictureSizeAllowed(image.width, image.height))
    return PictureLoader::Error{pictureSizeError("PNG", image.width, image.height)};
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
