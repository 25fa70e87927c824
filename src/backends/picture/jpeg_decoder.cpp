#include "backends/picture/jpeg_decoder.h"

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "backends/picture/picture_limits.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace cab {

namespace {

// Cap on the library's own buffers (a progressive picture keeps all its
// coefficients); a picture needing more is refused instead of swapped out.
constexpr long MaxJpegWorkMemory = 256L << 20;

// The library's error manager with a way back out of it: a fatal error or a
// corrupt-data warning stores the message and jumps back to decode().
struct JpegErrorManager {
  jpeg_error_mgr base;  // first, so the library's pointer converts back
  std::jmp_buf jump;
  char text[JMSG_LENGTH_MAX];
};

[[noreturn]] void failJpeg(j_common_ptr info) {
  auto* err = reinterpret_cast<JpegErrorManager*>(info->err);
  err->base.format_message(info, err->text);
  std::longjmp(err->jump, 1);
}

void onJpegMessage(j_common_ptr info, int level) {
  if (level < 0) failJpeg(info);  // warnings are all about damaged data; trace messages are ignored
}

std::uint32_t rgbPixel(unsigned r, unsigned g, unsigned b) { return 0xFF000000u | r << 16 | g << 8 | b; }

// Writers following Adobe's convention store CMYK inverted (0 = full ink).
void convertCmykRow(const unsigned char* in, int width, bool inverted, std::uint32_t* out) {
  for (int x = 0; x < width; ++x, in += 4) {
    const unsigned c = inverted ? in[0] : 255u - in[0];
    const unsigned m = inverted ? in[1] : 255u - in[1];
    const unsigned y = inverted ? in[2] : 255u - in[2];
    const unsigned k = inverted ? in[3] : 255u - in[3];
    out[x] = rgbPixel((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
  }
}

void convertRgbRow(const unsigned char* in, int width, std::uint32_t* out) {
  for (int x = 0; x < width; ++x, in += 3) out[x] = rgbPixel(in[0], in[1], in[2]);
}

// Runs the library over the bytes. Everything with a destructor lives in the
// caller, so the jump back from the error manager skips none. Returns false
// with the reason in err.text or refusal.
bool runJpeg(jpeg_decompress_struct& info, JpegErrorManager& err, std::string_view bytes, Picture& picture,
             std::vector<unsigned char>& row, std::string& refusal) {
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = failJpeg;
  err.base.emit_message = onJpegMessage;
  if (setjmp(err.jump) != 0) return false;

  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = MaxJpegWorkMemory;
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  if (!pictureSizeAllowed(info.image_width, info.image_height)) {
    refusal = pictureSizeError("JPEG", info.image_width, info.image_height);
    return false;
  }
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      info.out_color_space = JCS_RGB;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      info.out_color_space = JCS_CMYK;
      break;
    default:
      refusal = "unsupported JPEG colour space " + std::to_string(info.jpeg_color_space);
      return false;
  }
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  const bool cmyk = info.out_color_space == JCS_CMYK;
  row.resize(static_cast<std::size_t>(width) * info.output_components);
  picture.width = width;
  picture.height = static_cast<int>(info.output_height);
  // Rows are added as they decode, so a header promising a huge picture over
  // little data fails before the whole picture is allocated.
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) {
      refusal = "JPEG data ends early";
      return false;
    }
    const std::size_t start = static_cast<std::size_t>(info.output_scanline - 1) * width;
    picture.pixels.resize(start + width);
    if (cmyk) {
      convertCmykRow(row.data(), width, info.saw_Adobe_marker, &picture.pixels[start]);
    } else {
      convertRgbRow(row.data(), width, &picture.pixels[start]);
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

PictureLoader::Result decodeJpeg(std::string_view bytes) {
  JpegErrorManager err{};
  jpeg_decompress_struct info{};
  struct Destroy {
    jpeg_decompress_struct& info;
    ~Destroy() { jpeg_destroy_decompress(&info); }  // harmless when never created
  } destroy{info};
  Picture picture;
  std::vector<unsigned char> row;
  std::string refusal;
  if (!runJpeg(info, err, bytes, picture, row, refusal)) {
    return PictureLoader::Error{refusal.empty() ? "JPEG: " + std::string(err.text) : refusal};
  }
  return picture;
}

}  // namespace cab
