#include "backends/picture/bmp_decoder.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "backends/picture/bmp_rle.h"
#include "backends/picture/picture_limits.h"

namespace cab {

namespace {

constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiRle8 = 1;
constexpr std::uint32_t BiRle4 = 2;
constexpr std::uint32_t BiBitfields = 3;
constexpr std::uint32_t BiAlphaBitfields = 6;

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t MaskOffset = FileHeaderSize + 40;  // masks follow the 40-byte part of every info header

// RLE data can describe many pixels per byte (255 in a two-byte run, more with
// deltas); a picture claiming more than this per byte of data is refused
// before its pixels are allocated.
constexpr std::int64_t MaxRlePixelsPerByte = 256;

constexpr std::uint32_t OpaqueBlack = 0xFF000000u;

// Little-endian fields of the file; callers check the range with has() first.
struct Bytes {
  std::string_view data;

  bool has(std::size_t offset, std::size_t count) const {
    return offset <= data.size() && count <= data.size() - offset;
  }
  std::uint8_t u8(std::size_t at) const { return static_cast<std::uint8_t>(data[at]); }
  std::uint16_t u16(std::size_t at) const { return static_cast<std::uint16_t>(u8(at) | u8(at + 1) << 8); }
  std::uint32_t u32(std::size_t at) const { return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16; }
  std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
};

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
struct ChannelMask {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  std::uint8_t extract(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint64_t value = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
    const std::uint64_t top = (std::uint64_t{1} << bits) - 1;
    return static_cast<std::uint8_t>((value * 255 + top / 2) / top);
  }
};

bool makeMask(std::uint32_t mask, ChannelMask& out) {
  out = ChannelMask{};
  if (mask == 0) return true;
  const int shift = std::countr_zero(mask);
  const std::uint64_t run = mask >> shift;
  if ((run & (run + 1)) != 0) return false;  // the bits must be one contiguous run
  out = ChannelMask{mask, shift, std::popcount(mask)};
  return true;
}

struct BmpHeader {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  std::uint32_t compression = BiRgb;
  std::size_t paletteStart = 0;
  std::size_t paletteEntrySize = 4;
  std::size_t paletteEntries = 0;
  std::size_t dataOffset = 0;
  ChannelMask red, green, blue, alpha;
};

using HeaderResult = std::variant<BmpHeader, std::string>;

bool isInfoHeaderSize(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

std::optional<std::string> checkCompression(const BmpHeader& h) {
  const int bpp = h.bitsPerPixel;
  switch (h.compression) {
    case BiRgb:
      return std::nullopt;
    case BiRle8:
      if (bpp == 8 && !h.topDown) return std::nullopt;
      break;
    case BiRle4:
      if (bpp == 4 && !h.topDown) return std::nullopt;
      break;
    case BiBitfields:
    case BiAlphaBitfields:
      if (bpp == 16 || bpp == 32) return std::nullopt;
      break;
    default:
      return "unsupported BMP compression " + std::to_string(h.compression);
  }
  return "BMP compression " + std::to_string(h.compression) + " does not fit " + std::to_string(bpp) +
         " bits per pixel" + (h.topDown ? " in a top-down picture" : "");
}

// Reads the masks of a bit-field picture, or sets the fixed layout of an
// uncompressed one (5-5-5 for 16 bits, 8-8-8 for 32 bits, no alpha).
std::optional<std::string> readMasks(Bytes b, std::uint32_t headerSize, BmpHeader& h) {
  std::array<std::uint32_t, 4> masks{};
  if (h.compression == BiBitfields || h.compression == BiAlphaBitfields) {
    const bool withAlpha = h.compression == BiAlphaBitfields || headerSize >= 56;
    const std::size_t count = withAlpha ? 4 : 3;
    if (!b.has(MaskOffset, count * 4)) return "BMP file ends inside its colour masks";
    for (std::size_t i = 0; i < count; ++i) masks[i] = b.u32(MaskOffset + i * 4);
    if (headerSize == 40) h.paletteStart += count * 4;  // masks stored after the header
  } else if (h.bitsPerPixel == 16) {
    masks = {0x7C00, 0x03E0, 0x001F, 0};
  } else {
    masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  }
  if (!makeMask(masks[0], h.red) || !makeMask(masks[1], h.green) || !makeMask(masks[2], h.blue) ||
      !makeMask(masks[3], h.alpha)) {
    return "BMP colour mask is not one run of bits";
  }
  return std::nullopt;
}

HeaderResult readHeader(Bytes b) {
  if (!b.has(0, FileHeaderSize + 4)) return "BMP file is too short for its header";
  const std::uint32_t headerSize = b.u32(FileHeaderSize);
  if (headerSize != CoreHeaderSize && !isInfoHeaderSize(headerSize)) {
    return "unsupported BMP header size " + std::to_string(headerSize);
  }
  if (!b.has(FileHeaderSize, headerSize)) return "BMP file ends inside its header";

  BmpHeader h;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t colorsUsed = 0;
  if (headerSize == CoreHeaderSize) {
    width = b.u16(18);
    height = b.u16(20);
    h.bitsPerPixel = b.u16(24);
    h.paletteEntrySize = 3;
  } else {
    width = b.i32(18);
    height = b.i32(22);
    h.bitsPerPixel = b.u16(28);
    h.compression = b.u32(30);
    colorsUsed = b.u32(46);
  }
  h.topDown = height < 0;
  if (h.topDown) height = -height;
  if (!pictureSizeAllowed(width, height)) return pictureSizeError("BMP", width, height);
  h.width = static_cast<int>(width);
  h.height = static_cast<int>(height);

  const int bpp = h.bitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
    return "unsupported BMP bit depth " + std::to_string(bpp);
  }
  if (auto bad = checkCompression(h)) return *bad;
  h.paletteStart = FileHeaderSize + headerSize;
  if (bpp == 16 || bpp == 32) {
    if (auto bad = readMasks(b, headerSize, h)) return *bad;
  }

  h.dataOffset = b.u32(10);
  if (h.dataOffset < h.paletteStart || h.dataOffset > b.data.size()) {
    return "BMP pixel data offset " + std::to_string(h.dataOffset) + " is outside the file";
  }
  if (bpp <= 8) {
    // A palette may be shorter than 2^bpp (colours-used field) or cut short by
    // the pixel data; the missing entries read as black.
    const std::size_t full = std::size_t{1} << bpp;
    const std::size_t declared = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
    const std::size_t room = (h.dataOffset - h.paletteStart) / h.paletteEntrySize;
    h.paletteEntries = declared < room ? declared : room;
  }
  return h;
}

std::array<std::uint32_t, 256> readPalette(Bytes b, const BmpHeader& h) {
  std::array<std::uint32_t, 256> palette;
  palette.fill(OpaqueBlack);
  for (std::size_t i = 0; i < h.paletteEntries; ++i) {
    const std::size_t at = h.paletteStart + i * h.paletteEntrySize;
    palette[i] = OpaqueBlack | static_cast<std::uint32_t>(b.u8(at + 2)) << 16 |
                 static_cast<std::uint32_t>(b.u8(at + 1)) << 8 | b.u8(at);
  }
  return palette;
}

std::uint32_t maskedPixel(const BmpHeader& h, std::uint32_t raw) {
  const std::uint32_t alpha = h.alpha.bits == 0 ? 0xFF : h.alpha.extract(raw);
  return alpha << 24 | static_cast<std::uint32_t>(h.red.extract(raw)) << 16 |
         static_cast<std::uint32_t>(h.green.extract(raw)) << 8 | h.blue.extract(raw);
}

// One stored row, converted to 0xAARRGGBB.
void decodeRow(Bytes b, std::size_t at, const BmpHeader& h, const std::array<std::uint32_t, 256>& palette,
               std::uint32_t* out) {
  for (int x = 0; x < h.width; ++x) {
    switch (h.bitsPerPixel) {
      case 1:
        out[x] = palette[(b.u8(at + x / 8) >> (7 - x % 8)) & 1];
        break;
      case 4:
        out[x] = palette[(b.u8(at + x / 2) >> (x % 2 == 0 ? 4 : 0)) & 0x0F];
        break;
      case 8:
        out[x] = palette[b.u8(at + x)];
        break;
      case 16:
        out[x] = maskedPixel(h, b.u16(at + 2 * static_cast<std::size_t>(x)));
        break;
      case 24: {
        const std::size_t p = at + 3 * static_cast<std::size_t>(x);
        out[x] = OpaqueBlack | static_cast<std::uint32_t>(b.u8(p + 2)) << 16 |
                 static_cast<std::uint32_t>(b.u8(p + 1)) << 8 | b.u8(p);
        break;
      }
      default:
        out[x] = maskedPixel(h, b.u32(at + 4 * static_cast<std::size_t>(x)));
        break;
    }
  }
}

PictureLoader::Result decodeUncompressed(Bytes b, const BmpHeader& h) {
  const std::uint64_t stride = (static_cast<std::uint64_t>(h.width) * h.bitsPerPixel + 31) / 32 * 4;
  const std::uint64_t needed = stride * static_cast<std::uint64_t>(h.height);
  const std::uint64_t present = b.data.size() - h.dataOffset;
  if (needed > present) {
    return PictureLoader::Error{"BMP pixel data is truncated (" + std::to_string(present) + " of " +
                                std::to_string(needed) + " bytes)"};
  }
  const auto palette = readPalette(b, h);
  Picture picture(h.width, h.height);
  for (int row = 0; row < h.height; ++row) {
    const int y = h.topDown ? row : h.height - 1 - row;
    decodeRow(b, h.dataOffset + static_cast<std::size_t>(row * stride), h, palette, &picture.at(0, y));
  }
  if (h.alpha.bits != 0) {
    // Writers that declare an alpha mask but leave it all zero mean an opaque picture.
    bool anyAlpha = false;
    for (std::uint32_t pixel : picture.pixels) anyAlpha = anyAlpha || (pixel >> 24) != 0;
    if (!anyAlpha) {
      for (std::uint32_t& pixel : picture.pixels) pixel |= OpaqueBlack;
    }
  }
  return picture;
}

PictureLoader::Result decodeRle(Bytes b, const BmpHeader& h) {
  const std::string_view data = b.data.substr(h.dataOffset);
  const std::int64_t pixels = static_cast<std::int64_t>(h.width) * h.height;
  if (pixels > MaxRlePixelsPerByte * static_cast<std::int64_t>(data.size())) {
    return PictureLoader::Error{"BMP RLE data (" + std::to_string(data.size()) + " bytes) is too short for " +
                                std::to_string(h.width) + " x " + std::to_string(h.height) + " pixels"};
  }
  std::vector<std::uint8_t> indices;
  if (auto bad = expandBmpRle(data, h.bitsPerPixel, h.width, h.height, indices)) return PictureLoader::Error{*bad};
  const auto palette = readPalette(b, h);
  Picture picture(h.width, h.height);
  for (int y = 0; y < h.height; ++y) {
    const std::uint8_t* row = &indices[static_cast<std::size_t>(h.height - 1 - y) * h.width];
    for (int x = 0; x < h.width; ++x) picture.at(x, y) = palette[row[x]];
  }
  return picture;
}

}  // namespace

PictureLoader::Result decodeBmp(std::string_view bytes) {
  const Bytes b{bytes};
  HeaderResult header = readHeader(b);
  if (auto* bad = std::get_if<std::string>(&header)) return PictureLoader::Error{*bad};
  const BmpHeader& h = std::get<BmpHeader>(header);
  if (h.compression == BiRle8 || h.compression == BiRle4) return decodeRle(b, h);
  return decodeUncompressed(b, h);
}

}  // namespace cab
