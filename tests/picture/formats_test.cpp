#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/picture/fixture_writers.h"
#include "tests/picture/test_support.h"

namespace cab::test {
namespace {

// Four flat 8 x 8 quadrants: JPEG blocks stay flat, so quality 100 keeps them within a few levels.
Picture quadrants() {
  const std::uint32_t colours[4] = {0xFFC02010, 0xFF20B040, 0xFF3050D0, 0xFF808080};
  Picture p(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) p.at(x, y) = colours[(y / 8) * 2 + x / 8];
  return p;
}

void expectClose(const Picture& actual, const Picture& expected, int tolerance) {
  ASSERT_EQ(actual.width, expected.width);
  ASSERT_EQ(actual.height, expected.height);
  for (std::size_t i = 0; i < expected.pixels.size(); ++i) {
    for (int shift : {24, 16, 8, 0}) {
      const int a = (actual.pixels[i] >> shift) & 0xFF;
      const int e = (expected.pixels[i] >> shift) & 0xFF;
      ASSERT_LE(std::abs(a - e), tolerance) << "pixel " << i << " channel shift " << shift;
    }
  }
}

TEST(PictureFormats, BmpPngAndJpegOfTheSamePixelsDecodeAlike) {
  const Picture original = quadrants();
  BmpLayout bmp;
  bmp.width = 16;
  bmp.height = 16;
  bmp.picture = original;
  EXPECT_EQ(decodeOk(writeBmp(bmp)).pixels, original.pixels);
  EXPECT_EQ(decodeOk(writePng(original, false)).pixels, original.pixels);
  expectClose(decodeOk(writeJpeg(original, 100)), original, 3);
  expectClose(decodeOk(writeJpeg(original, 100, JpegColour::Rgb, true)), original, 3);
}

TEST(PictureFormats, PngKeepsItsTransparency) {
  Picture p = quadrants();
  for (int x = 0; x < 16; ++x) p.at(x, 0) = 0x00000000;  // fully transparent top row
  for (int x = 0; x < 16; ++x) p.at(x, 1) = 0x80FFFFFF;  // half-transparent white
  const Picture decoded = decodeOk(writePng(p, true));
  EXPECT_EQ(decoded.at(3, 0) >> 24, 0u);
  EXPECT_EQ(decoded.at(3, 1), 0x80FFFFFFu);
  EXPECT_EQ(decoded.at(3, 15), p.at(3, 15));
}

TEST(PictureFormats, GrayscaleAndCmykJpegBecomeRgb) {
  Picture gray(8, 8, 0xFF5A5A5A);
  expectClose(decodeOk(writeJpeg(gray, 100, JpegColour::Gray)), gray, 2);
  // Inverted CMYK with full K: stored ink levels 255, 0, 0 read back as red.
  Picture red(8, 8, 0xFFFF0000);
  expectClose(decodeOk(writeJpeg(red, 100, JpegColour::AdobeCmyk)), red, 3);
}

TEST(PictureFormats, FormatComesFromTheContent) {
  EXPECT_EQ(decodeError(""), "picture file is empty");
  EXPECT_EQ(decodeError("GIF89a......"), "unsupported picture format");
  EXPECT_EQ(decodeError("B"), "unsupported picture format");
  EXPECT_EQ(decodeError(std::string("\xFF\xD8", 2)), "unsupported picture format");
  EXPECT_EQ(decodeError("BM"), "BMP file is too short for its header");
}

// The size fields of a JPEG's frame header and a PNG's IHDR chunk.
void patchJpegSize(std::string& jpeg, std::uint16_t width, std::uint16_t height) {
  const std::size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  jpeg[sof + 5] = static_cast<char>(height >> 8);
  jpeg[sof + 6] = static_cast<char>(height & 0xFF);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width & 0xFF);
}

TEST(PictureFormats, OversizedJpegIsRefusedAndHugeOverLittleDataFails) {
  std::string jpeg = writeJpeg(quadrants(), 90);
  patchJpegSize(jpeg, 20000, 16);
  EXPECT_NE(decodeError(jpeg).find("out of range"), std::string::npos) << decodeError(jpeg);
  patchJpegSize(jpeg, 16000, 16000);  // allowed size, but the data runs out at once
  EXPECT_NE(decodeError(jpeg).find("JPEG"), std::string::npos) << decodeError(jpeg);
}

}  // namespace
}  // namespace cab::test
