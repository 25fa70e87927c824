#include <gtest/gtest.h>

#include "tests/picture/fixture_writers.h"
#include "tests/picture/test_support.h"

namespace cab::test {
namespace {

// Five wide, so every bit depth needs row padding; three high, so the row order shows.
constexpr int W = 5;
constexpr int H = 3;

const std::vector<std::uint32_t> Colours = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                            0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF, 0xFF123456};

std::vector<std::uint8_t> indexPattern(int colours) {
  std::vector<std::uint8_t> indices;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) indices.push_back(static_cast<std::uint8_t>((x + 2 * y) % colours));
  return indices;
}

Picture expectedFor(const std::vector<std::uint8_t>& indices) {
  Picture p(W, H);
  for (std::size_t i = 0; i < indices.size(); ++i) p.pixels[i] = Colours[indices[i]];
  return p;
}

BmpLayout paletteLayout(int bpp, int colours, std::uint32_t headerSize, bool topDown) {
  BmpLayout s;
  s.width = W;
  s.height = H;
  s.bitsPerPixel = bpp;
  s.headerSize = headerSize;
  s.topDown = topDown;
  s.palette.assign(Colours.begin(), Colours.begin() + colours);
  s.colorsUsed = colours == (1 << bpp) ? 0 : colours;
  s.indices = indexPattern(colours);
  return s;
}

struct PaletteCase {
  const char* name;
  int bpp;
  int colours;
  std::uint32_t headerSize;
  bool topDown;
};

TEST(BmpDecoder, PalettePicturesInEveryLayout) {
  const PaletteCase cases[] = {
      {"1-bit bottom-up", 1, 2, 40, false},     {"1-bit top-down", 1, 2, 40, true},
      {"4-bit short palette", 4, 5, 40, false}, {"4-bit top-down v5", 4, 9, 124, true},
      {"8-bit bottom-up", 8, 9, 40, false},     {"8-bit top-down v4", 8, 9, 108, true},
      {"8-bit core header", 8, 9, 12, false},   {"4-bit core header", 4, 9, 12, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BmpLayout layout = paletteLayout(c.bpp, c.colours, c.headerSize, c.topDown);
    if (c.headerSize == 12) {  // the core header has no colours-used field: the palette is full
      layout.colorsUsed = 0;
      layout.palette.resize(std::size_t{1} << c.bpp, 0xFF000000);
    }
    const Picture p = decodeOk(writeBmp(layout));
    EXPECT_EQ(p.width, W);
    EXPECT_EQ(p.height, H);
    EXPECT_EQ(p.pixels, expectedFor(layout.indices).pixels);
  }
}

TEST(BmpDecoder, IndexBeyondAShortPaletteIsBlack) {
  BmpLayout layout = paletteLayout(8, 3, 40, false);
  layout.indices[0] = 7;  // palette has three entries
  const Picture p = decodeOk(writeBmp(layout));
  EXPECT_EQ(p.at(0, 0), 0xFF000000u);
  EXPECT_EQ(p.at(1, 0), Colours[1]);
}

Picture directPicture(bool withAlpha) {
  Picture p(W, H);
  for (int i = 0; i < W * H; ++i) {
    p.pixels[i] = Colours[i % 8] & 0x00FFFFFF;  // full or empty channels: exact in 16 bits too
    p.pixels[i] |= withAlpha ? static_cast<std::uint32_t>(i * 17) << 24 : 0xFF000000u;
  }
  return p;
}

struct DirectCase {
  const char* name;
  int bpp;
  std::uint32_t headerSize;
  std::uint32_t compression;
  bool topDown;
  std::uint32_t masks[4];
  bool alpha;
};

TEST(BmpDecoder, DirectColourPicturesInEveryLayout) {
  const DirectCase cases[] = {
      {"24-bit bottom-up", 24, 40, 0, false, {}, false},
      {"24-bit top-down", 24, 40, 0, true, {}, false},
      {"24-bit v4 header", 24, 108, 0, false, {}, false},
      {"32-bit plain", 32, 40, 0, false, {}, false},
      {"32-bit bit fields", 32, 40, 3, true, {0xFF0000, 0xFF00, 0xFF, 0}, false},
      {"32-bit bit fields, 52-byte header", 32, 52, 3, false, {0xFF00, 0xFF0000, 0xFF000000, 0}, false},
      {"32-bit with alpha, 56-byte header", 32, 56, 3, false, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, true},
      {"32-bit with alpha, v5 header", 32, 124, 3, true, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, true},
      {"32-bit alpha bit fields", 32, 40, 6, false, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, true},
      {"16-bit 5-5-5", 16, 40, 0, false, {}, false},
      {"16-bit 5-6-5", 16, 40, 3, true, {0xF800, 0x07E0, 0x001F, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BmpLayout layout;
    layout.width = W;
    layout.height = H;
    layout.bitsPerPixel = c.bpp;
    layout.headerSize = c.headerSize;
    layout.compression = c.compression;
    layout.topDown = c.topDown;
    std::copy(std::begin(c.masks), std::end(c.masks), layout.masks);
    layout.picture = directPicture(c.alpha);
    const Picture p = decodeOk(writeBmp(layout));
    EXPECT_EQ(p.pixels, layout.picture.pixels);
  }
}

TEST(BmpDecoder, PlainThirtyTwoBitIgnoresTheFourthByte) {
  BmpLayout layout;
  layout.width = W;
  layout.height = H;
  layout.bitsPerPixel = 32;
  layout.picture = directPicture(true);  // the file carries varying fourth bytes
  const Picture p = decodeOk(writeBmp(layout));
  for (std::size_t i = 0; i < p.pixels.size(); ++i) EXPECT_EQ(p.pixels[i], layout.picture.pixels[i] | 0xFF000000u);
}

TEST(BmpDecoder, AnAllZeroAlphaMaskMeansOpaque) {
  BmpLayout layout;
  layout.width = W;
  layout.height = H;
  layout.bitsPerPixel = 32;
  layout.headerSize = 124;
  layout.compression = 3;
  const std::uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  std::copy(std::begin(masks), std::end(masks), layout.masks);
  layout.picture = directPicture(false);
  for (auto& px : layout.picture.pixels) px &= 0x00FFFFFF;
  const Picture p = decodeOk(writeBmp(layout));
  for (std::size_t i = 0; i < p.pixels.size(); ++i) EXPECT_EQ(p.pixels[i], layout.picture.pixels[i] | 0xFF000000u);
}

const std::vector<std::uint32_t> RlePalette = {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF};

TEST(BmpDecoder, Rle8RunsLiteralsDeltaAndEndOfBitmap) {
  // 4 x 3, stored bottom-up. Row 0: run of 3 x index 1, run of 1 x 2; row 1: delta (2, 0) then run 2 x 3;
  // row 2: literal {3, 2, 1} padded, then end of bitmap leaves the last pixel at index 0.
  const std::string data(
      "\x03\x01\x01\x02\x00\x00"
      "\x00\x02\x02\x00\x02\x03\x00\x00"
      "\x00\x03\x03\x02\x01\x00\x00\x01",
      22);
  const Picture p = decodeOk(writeBmpWithData(4, 3, 8, 1, RlePalette, data));
  ASSERT_EQ(p.width, 4);
  const std::vector<std::uint32_t> expected = {
      RlePalette[3], RlePalette[2], RlePalette[1], RlePalette[0],  // top row = stored row 2
      RlePalette[0], RlePalette[0], RlePalette[3], RlePalette[3],  //
      RlePalette[1], RlePalette[1], RlePalette[1], RlePalette[2],  // bottom row = stored row 0
  };
  EXPECT_EQ(p.pixels, expected);
}

TEST(BmpDecoder, Rle4AlternatesNibbles) {
  // 5 x 1: run of 5 alternating 1 and 2, end of bitmap. Then 3 x 1 literal {3, 1, 2}.
  const Picture a = decodeOk(writeBmpWithData(5, 1, 4, 2, RlePalette, std::string("\x05\x12\x00\x01", 4)));
  EXPECT_EQ(a.pixels,
            (std::vector<std::uint32_t>{RlePalette[1], RlePalette[2], RlePalette[1], RlePalette[2], RlePalette[1]}));
  const Picture b = decodeOk(writeBmpWithData(3, 1, 4, 2, RlePalette, std::string("\x00\x03\x31\x20\x00\x01", 6)));
  EXPECT_EQ(b.pixels, (std::vector<std::uint32_t>{RlePalette[3], RlePalette[1], RlePalette[2]}));
}

TEST(BmpDecoder, LyingOrUnsupportedHeadersAreRefused) {
  const std::string good = writeBmp(paletteLayout(8, 9, 40, false));
  struct Patch {
    const char* name;
    std::size_t at;
    std::uint32_t value;
    int bytes;
    const char* expected;
  };
  const Patch patches[] = {
      {"header size 20", 14, 20, 4, "unsupported BMP header size 20"},
      {"header size 64", 14, 64, 4, "unsupported BMP header size 64"},
      {"width 0", 18, 0, 4, "out of range"},
      {"negative width", 18, 0xFFFFFFFB, 4, "out of range"},
      {"width beyond the cap", 18, 16385, 4, "out of range"},
      {"height 0", 22, 0, 4, "out of range"},
      {"most negative height", 22, 0x80000000, 4, "out of range"},
      {"height larger than the data", 22, 4000, 4, "truncated"},
      {"bit depth 7", 28, 7, 2, "unsupported BMP bit depth 7"},
      {"JPEG inside", 30, 4, 4, "unsupported BMP compression 4"},
      {"RLE8 on 4 bits", 30, 2, 4, "does not fit"},
      {"bit fields on 8 bits", 30, 3, 4, "does not fit"},
      {"data offset past the end", 10, 100000, 4, "outside the file"},
      {"data offset inside the header", 10, 20, 4, "outside the file"},
  };
  for (const auto& patch : patches) {
    SCOPED_TRACE(patch.name);
    std::string bad = good;
    for (int i = 0; i < patch.bytes; ++i) bad[patch.at + i] = static_cast<char>((patch.value >> (8 * i)) & 0xFF);
    EXPECT_NE(decodeError(bad).find(patch.expected), std::string::npos) << decodeError(bad);
  }
}

TEST(BmpDecoder, BadMasksAndRleAreRefused) {
  BmpLayout layout;
  layout.width = W;
  layout.height = H;
  layout.bitsPerPixel = 32;
  layout.compression = 3;
  const std::uint32_t split[4] = {0xF00F0000, 0xFF00, 0xFF, 0};
  std::copy(std::begin(split), std::end(split), layout.masks);
  layout.picture = directPicture(false);
  EXPECT_NE(decodeError(writeBmp(layout)).find("mask"), std::string::npos);

  EXPECT_NE(decodeError(writeBmpWithData(4, 3, 8, 1, RlePalette, std::string("\x04\x01\x00\x00", 4))).find("ends"),
            std::string::npos);
  EXPECT_NE(decodeError(writeBmpWithData(4, -3, 8, 1, RlePalette, std::string("\x00\x01", 2))).find("top-down"),
            std::string::npos);
  EXPECT_NE(decodeError(writeBmpWithData(16000, 16000, 8, 1, RlePalette, std::string("\x00\x01", 2))).find("too short"),
            std::string::npos);
}

}  // namespace
}  // namespace cab::test
