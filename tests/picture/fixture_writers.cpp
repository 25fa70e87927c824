#include "tests/picture/fixture_writers.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <stdexcept>

namespace cab::test {

namespace {

void put16(std::string& s, std::size_t at, std::uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, std::size_t at, std::uint32_t v) {
  put16(s, at, v & 0xFFFF);
  put16(s, at + 2, v >> 16);
}
void append32(std::string& s, std::uint32_t v) {
  s.append(4, '\0');
  put32(s, s.size() - 4, v);
}

std::uint32_t packMasked(std::uint32_t argb, const std::uint32_t masks[4]) {
  std::uint32_t out = 0;
  for (int c = 0; c < 4; ++c) {
    const std::uint32_t mask = masks[c];
    if (mask == 0) continue;
    const std::uint32_t value = (argb >> (c == 3 ? 24 : 16 - 8 * c)) & 0xFF;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    int bits = 0;
    while (shift + bits < 32 && ((mask >> (shift + bits)) & 1)) ++bits;
    const std::uint32_t scaled = bits >= 8 ? value << (bits - 8) : value * ((1u << bits) - 1) / 255;
    out |= (scaled << shift) & mask;
  }
  return out;
}

}  // namespace

std::string writeBmp(const BmpLayout& layout) {
  const bool core = layout.headerSize == 12;
  const bool bitfields = layout.compression == 3 || layout.compression == 6;
  std::string s(14 + layout.headerSize, '\0');
  s[0] = 'B';
  s[1] = 'M';
  put32(s, 14, layout.headerSize);
  if (core) {
    put16(s, 18, layout.width);
    put16(s, 20, layout.height);
    put16(s, 22, 1);
    put16(s, 24, layout.bitsPerPixel);
  } else {
    put32(s, 18, layout.width);
    put32(s, 22, layout.topDown ? -layout.height : layout.height);
    put16(s, 26, 1);
    put16(s, 28, layout.bitsPerPixel);
    put32(s, 30, layout.compression);
    put32(s, 46, layout.colorsUsed);
  }
  if (bitfields) {
    const int count = layout.compression == 6 || layout.headerSize >= 56 ? 4 : 3;
    for (int i = 0; i < count; ++i) {
      if (layout.headerSize == 40) {
        append32(s, layout.masks[i]);
      } else {
        put32(s, 54 + 4 * i, layout.masks[i]);
      }
    }
  }
  for (std::uint32_t colour : layout.palette) {
    s += static_cast<char>(colour & 0xFF);
    s += static_cast<char>((colour >> 8) & 0xFF);
    s += static_cast<char>((colour >> 16) & 0xFF);
    if (!core) s += '\0';
  }
  put32(s, 10, static_cast<std::uint32_t>(s.size()));
  const std::size_t stride = (static_cast<std::size_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
  for (int row = 0; row < layout.height; ++row) {
    const int y = layout.topDown ? row : layout.height - 1 - row;
    std::string line(stride, '\0');
    for (int x = 0; x < layout.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * layout.width + x;
      switch (layout.bitsPerPixel) {
        case 1:
          line[x / 8] = static_cast<char>(line[x / 8] | layout.indices[i] << (7 - x % 8));
          break;
        case 4:
          line[x / 2] = static_cast<char>(line[x / 2] | layout.indices[i] << (x % 2 == 0 ? 4 : 0));
          break;
        case 8:
          line[x] = static_cast<char>(layout.indices[i]);
          break;
        case 16: {
          const std::uint32_t masks555[4] = {0x7C00, 0x03E0, 0x001F, 0};
          put16(line, 2 * x, packMasked(layout.picture.pixels[i], bitfields ? layout.masks : masks555));
          break;
        }
        case 24:
          line[3 * x] = static_cast<char>(layout.picture.pixels[i] & 0xFF);
          line[3 * x + 1] = static_cast<char>((layout.picture.pixels[i] >> 8) & 0xFF);
          line[3 * x + 2] = static_cast<char>((layout.picture.pixels[i] >> 16) & 0xFF);
          break;
        default:
          put32(line, 4 * x, bitfields ? packMasked(layout.picture.pixels[i], layout.masks) : layout.picture.pixels[i]);
          break;
      }
    }
    s += line;
  }
  return s;
}

std::string writeBmpWithData(int width, int height, int bitsPerPixel, std::uint32_t compression,
                             const std::vector<std::uint32_t>& palette, const std::string& data) {
  BmpLayout layout;
  layout.width = width;
  layout.height = 0;  // no stored rows: the data follows
  layout.bitsPerPixel = bitsPerPixel;
  layout.compression = compression;
  layout.palette = palette;
  layout.colorsUsed = static_cast<std::uint32_t>(palette.size());
  std::string s = writeBmp(layout);
  put32(s, 22, height);
  return s + data;
}

std::string writeJpeg(const Picture& picture, int quality, JpegColour colour, bool progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = picture.width;
  info.image_height = picture.height;
  info.input_components = colour == JpegColour::Gray ? 1 : colour == JpegColour::Rgb ? 3 : 4;
  info.in_color_space = colour == JpegColour::Gray ? JCS_GRAYSCALE : colour == JpegColour::Rgb ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  for (int c = 0; c < info.num_components; ++c) {  // no chroma subsampling: flat blocks stay flat
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(picture.width) * info.input_components);
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = picture.at(x, static_cast<int>(info.next_scanline));
      const unsigned char r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      unsigned char* out = &row[static_cast<std::size_t>(x) * info.input_components];
      if (colour == JpegColour::Gray) {
        out[0] = r;
      } else if (colour == JpegColour::Rgb) {
        out[0] = r, out[1] = g, out[2] = b;
      } else {  // inverted CMYK with K full: each ink level is the channel itself
        out[0] = r, out[1] = g, out[2] = b, out[3] = 255;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string result(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return result;
}

std::string writePng(const Picture& picture, bool withAlpha) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = picture.width;
  image.height = picture.height;
  image.format = withAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  std::vector<unsigned char> pixels;
  for (std::uint32_t p : picture.pixels) {
    pixels.push_back(p & 0xFF);
    pixels.push_back((p >> 8) & 0xFF);
    pixels.push_back((p >> 16) & 0xFF);
    if (withAlpha) pixels.push_back(p >> 24);
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr)) {
    throw std::runtime_error(image.message);
  }
  std::string result(size, '\0');
  if (!png_image_write_to_memory(&image, result.data(), &size, 0, pixels.data(), 0, nullptr)) {
    throw std::runtime_error(image.message);
  }
  result.resize(size);
  return result;
}

}  // namespace cab::test
