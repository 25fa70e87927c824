#include "backends/qt/cab_canvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QRect>
#include <memory>

#include "core/common/picture.h"

namespace cab::qt {
namespace {

constexpr std::uint32_t Grey = 0xFF808080u;

// Fonts need an application.
class CabCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QGuiApplication::instance()) application_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }

  // The box of the pixels of one colour, in the shown image.
  static QRect boxOf(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu)) box |= QRect(x, y, 1, 1);
    return box;
  }

  int argc_ = 1;
  char name_[9] = "tests_qt";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

TEST_F(CabCanvasTest, VideoTextFaceIsBoldItalicInTheFallbackOrder) {
  const QFont font = videoTextFont(14);
  EXPECT_EQ(font.families(), (QStringList{"Meiryo", "Noto Sans CJK JP", "VL Gothic", "IPAGothic"}));
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
  EXPECT_EQ(font.pixelSize(), 19);  // 14 points at 96 pixels per inch
  EXPECT_EQ(videoTextFont(12).pixelSize(), 16);
}

TEST_F(CabCanvasTest, TextsStandBelowAndRightOfTheirCornerWithTheShadowBehind) {
  CabCanvas canvas(400, 200);
  canvas.fill(0);
  canvas.drawVideoSurface(Picture(300, 100, Grey));
  const VideoText shadow{42, 32, 14, 0x000000u, "次は 潮見坂"}, face{40, 30, 14, 0xFFFFFFu, "次は 潮見坂"};
  canvas.drawVideoTexts(std::vector{shadow, face});
  canvas.flip();
  const QImage& shown = canvas.shownImage();
  const QRect white = boxOf(shown, 0xFFFFFF);
  ASSERT_FALSE(white.isEmpty());
  EXPECT_GE(white.left(), 38);  // italics lean a little to the left at the bottom
  EXPECT_LE(white.left(), 44);
  EXPECT_GE(white.top(), 30);
  EXPECT_LE(white.bottom(), 30 + 19 + 2);
  // The width the drive centres the commentary on is the width drawn.
  EXPECT_NEAR(white.width(), canvas.textWidth(face.text, face.size), 4);
  const QRect black = boxOf(shown.copy(0, 0, 300, 100), 0x000000);
  ASSERT_FALSE(black.isEmpty());
  EXPECT_GT(black.right(), white.right());
  EXPECT_GT(black.bottom(), white.bottom());
}

TEST_F(CabCanvasTest, TextsAreClippedToTheVideoSurface) {
  CabCanvas canvas(400, 200);
  canvas.fill(0x0000FFu);
  canvas.drawVideoSurface(Picture(300, 100, Grey));
  canvas.drawVideoTexts(std::vector{VideoText{280, 90, 14, 0xFFFFFFu, "WWWW"}});
  canvas.flip();
  const QRect white = boxOf(canvas.shownImage(), 0xFFFFFF);
  ASSERT_FALSE(white.isEmpty());
  EXPECT_LT(white.right(), 300);
  EXPECT_LT(white.bottom(), 100);
}

TEST_F(CabCanvasTest, WidthGrowsWithTheTextAndItsSize) {
  CabCanvas canvas(100, 100);
  EXPECT_EQ(canvas.textWidth("", 12), 0);
  EXPECT_GT(canvas.textWidth("ただいま", 12), canvas.textWidth("ただ", 12));
  EXPECT_GT(canvas.textWidth("ただいま", 16), canvas.textWidth("ただいま", 12));
}

TEST_F(CabCanvasTest, FlipShowsTheFrameJustDrawn) {
  CabCanvas canvas(10, 10);
  canvas.fill(0xFF0000u);
  EXPECT_EQ(canvas.shownImage().pixel(5, 5) & 0xFFFFFFu, 0u);  // still the first picture
  canvas.flip();
  EXPECT_EQ(canvas.shownImage().pixel(5, 5) & 0xFFFFFFu, 0xFF0000u);
  canvas.fill(0x00FF00u);
  EXPECT_EQ(canvas.shownImage().pixel(5, 5) & 0xFFFFFFu, 0xFF0000u);
}

}  // namespace
}  // namespace cab::qt
