#include "backends/picture/picture_decoder.h"

#include <new>

#include "backends/picture/bmp_decoder.h"
#include "backends/picture/jpeg_decoder.h"
#include "backends/picture/png_decoder.h"

namespace cab {

namespace {

bool startsWith(std::string_view bytes, std::string_view magic) { return bytes.substr(0, magic.size()) == magic; }

}  // namespace

PictureLoader::Result PictureDecoder::decode(std::string_view bytes) const {
  if (bytes.empty()) return Error{"picture file is empty"};
  try {
    if (startsWith(bytes, "BM")) return decodeBmp(bytes);
    if (startsWith(bytes, "\xFF\xD8\xFF")) return decodeJpeg(bytes);
    if (startsWith(bytes, "\x89PNG\r\n\x1A\n")) return decodePng(bytes);
  } catch (const std::bad_alloc&) {
    return Error{"not enough memory for the picture"};
  }
  return Error{"unsupported picture format"};
}

}  // namespace cab
