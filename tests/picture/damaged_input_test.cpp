#include <gtest/gtest.h>

#include <random>

#include "tests/picture/fixture_writers.h"
#include "tests/picture/test_support.h"

namespace cab::test {
namespace {

Picture gradient(int w, int h) {
  Picture p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.at(x, y) = 0xFF000000u | (x * 20) << 16 | (y * 20) << 8 | ((x + y) * 9);
  return p;
}

struct Sample {
  const char* name;
  std::string bytes;
};

std::vector<Sample> samples() {
  const Picture p = gradient(7, 5);
  BmpLayout bmp24;
  bmp24.width = 7;
  bmp24.height = 5;
  bmp24.picture = p;
  BmpLayout bmp8 = bmp24;
  bmp8.bitsPerPixel = 8;
  bmp8.topDown = true;
  bmp8.palette = {0xFF000000, 0xFFFFFFFF, 0xFF808080};
  bmp8.colorsUsed = 3;
  for (int i = 0; i < 35; ++i) bmp8.indices.push_back(static_cast<std::uint8_t>(i % 3));
  BmpLayout bmp32 = bmp24;
  bmp32.bitsPerPixel = 32;
  bmp32.headerSize = 124;
  bmp32.compression = 3;
  const std::uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  std::copy(std::begin(masks), std::end(masks), bmp32.masks);
  // 7 x 3: run, padded literal, end of line, delta to the top row, run, end of bitmap.
  const std::string rle("\x03\x01\x00\x03\x02\x01\x02\x00\x00\x00\x00\x02\x01\x01\x04\x02\x00\x01", 18);
  return {
      {"BMP 24-bit", writeBmp(bmp24)},
      {"BMP 8-bit", writeBmp(bmp8)},
      {"BMP 32-bit v5", writeBmp(bmp32)},
      {"BMP RLE8", writeBmpWithData(7, 3, 8, 1, {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}, rle)},
      {"JPEG", writeJpeg(p, 90)},
      {"progressive JPEG", writeJpeg(p, 90, JpegColour::Rgb, true)},
      {"PNG", writePng(p, false)},
      {"PNG with alpha", writePng(p, true)},
  };
}

bool decodesSanely(const std::string& bytes) {
  PictureDecoder decoder;
  auto result = decoder.decode(bytes);
  if (auto* err = std::get_if<PictureLoader::Error>(&result)) return !err->text.empty();
  const Picture& p = std::get<Picture>(result);
  return p.width > 0 && p.height > 0 && p.pixels.size() == static_cast<std::size_t>(p.width) * p.height;
}

TEST(DamagedPictures, EveryTruncationIsAnError) {
  for (const auto& sample : samples()) {
    SCOPED_TRACE(sample.name);
    ASSERT_EQ(decodeError(sample.bytes), "");
    for (std::size_t length = 0; length < sample.bytes.size(); ++length) {
      EXPECT_NE(decodeError(sample.bytes.substr(0, length)), "") << "cut at " << length;
    }
  }
}

TEST(DamagedPictures, CorruptJpegAndPngDataAreErrors) {
  const auto all = samples();
  std::string jpeg = all[4].bytes;  // a quantisation table claiming to run past the end of the file
  const std::size_t dqt = jpeg.find("\xFF\xDB");
  ASSERT_NE(dqt, std::string::npos);
  jpeg[dqt + 2] = jpeg[dqt + 3] = static_cast<char>(0xFF);
  EXPECT_NE(decodeError(jpeg), "");

  std::string png = all[6].bytes;  // a damaged image data chunk fails its check sum
  const std::size_t idat = png.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  png[idat + 6] ^= 0x40;
  EXPECT_NE(decodeError(png).find("PNG"), std::string::npos);
}

// Mutated and cut files of every format: any outcome but a crash, a read out
// of bounds (under the sanitizer build) or a picture whose size lies.
TEST(DamagedPictures, MutatedFilesNeverBreakTheDecoder) {
  const auto originals = samples();
  std::mt19937 random(20261210);
  auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  for (int iteration = 0; iteration < 4000; ++iteration) {
    std::string bytes = originals[below(originals.size())].bytes;
    const int mutations = 1 + static_cast<int>(below(4));
    for (int m = 0; m < mutations && !bytes.empty(); ++m) {
      switch (below(5)) {
        case 0:
          bytes[below(bytes.size())] ^= static_cast<char>(1u << below(8));
          break;
        case 1:
          bytes[below(bytes.size())] = static_cast<char>(below(256));
          break;
        case 2:
          bytes.resize(below(bytes.size()));
          break;
        case 3: {  // an extreme value in a header field
          const std::size_t at = below(std::min<std::size_t>(bytes.size(), 64));
          const char extreme = below(2) == 0 ? '\x00' : '\xFF';
          for (std::size_t i = at; i < std::min(bytes.size(), at + 4); ++i) bytes[i] = extreme;
          break;
        }
        default:
          bytes.erase(below(bytes.size()), 1 + below(8));
          break;
      }
    }
    ASSERT_TRUE(decodesSanely(bytes)) << "iteration " << iteration;
  }
}

}  // namespace
}  // namespace cab::test
