#include <gtest/gtest.h>

#include "core/data/data_error.h"
#include "tests/route_data/route_test_support.h"

namespace cab {
namespace {

using testing::RouteDirectory;

constexpr const char* SignImageList =
    "[SignImageList]\nt.bmp,64\ns.bmp,3\nm.bmp,4\ne.bmp,5\ng.bmp,48\nl.bmp,40\nr.bmp,16\nc.bmp,32\no.bmp,30\n";
constexpr const char* SignalImageList =
    "[SignalImageList]\n300,120,40,80,sig.bmp\n20,22,s0.bmp\n24,26,s1.bmp\n28,30,s2.bmp\n";
const char* const SignPictures[] = {"t.bmp", "s.bmp", "m.bmp", "e.bmp", "g.bmp", "l.bmp", "r.bmp", "c.bmp", "o.bmp"};

TEST(RouteImages, OverlaySpritesOfSignAndSignalLists) {
  RouteDirectory dir("overlays");
  for (const char* p : SignPictures) dir.picture(p);
  for (const char* p : {"sig.bmp", "s0.bmp", "s1.bmp", "s2.bmp"}) dir.picture(p);
  const RouteData d = dir.load(std::string(SignImageList) + SignalImageList);
  EXPECT_EQ(d.SignalBaseX, 300);
  EXPECT_EQ(d.SignalBaseY, 120);

  using T = Transparency;
  struct Expect {
    const char* image;
    T transparency;
    int patternW, patternH, x, y, w, h, depth, alpha;
  } expected[] = {
      {"img_unten_teimoku", T::BottomLeftPixel, 64, 64, 576, 0, 64, 64, 100, 255},
      {"img_unten_teimokuS", T::Opaque, 0, 0, 0, 0, 640, 3, 100, 64},
      {"img_unten_teimokuM", T::Opaque, 0, 0, 0, 0, 640, 4, 100, 64},
      {"img_unten_teimokuE", T::Opaque, 0, 0, 0, 0, 640, 5, 100, 64},
      {"img_unten_slope", T::BottomLeftPixel, 48, 48, 528, 264, 48, 48, 100, 255},
      {"img_unten_limit", T::BottomLeftPixel, 40, 40, 528, 168, 40, 40, 100, 255},
      {"img_unten_remain", T::Black, 16, 900, 624, 0, 16, 900, 100, 255},
      {"img_unten_cross", T::BottomLeftPixel, 32, 32, 0, 192, 32, 32, 100, 255},
      {"img_unten_cross", T::BottomLeftPixel, 32, 32, 0, 192, 32, 32, 100, 255},
      {"img_unten_other", T::BottomLeftPixel, 30, 30, 0, 216, 30, 30, 100, 255},
      {"img_unten_signal", T::BottomLeftPixel, 40, 80, 0, 0, 40, 80, 100, 255},
      {"img_unten_signal_S", T::BottomLeftPixel, 20, 22, 0, 0, 20, 22, 101, 255},
      {"img_unten_signal_L", T::BottomLeftPixel, 24, 26, 0, 0, 24, 26, 100, 255},
      {"img_unten_signal_R", T::BottomLeftPixel, 28, 30, 0, 0, 28, 30, 100, 255},
  };
  ASSERT_EQ(dir.sprites.spriteCount(), std::size(expected));
  ASSERT_EQ(dir.sprites.images().size(), 13u);  // the crossing's two sprites share one picture
  EXPECT_EQ(dir.sprites.sprite(7).image, dir.sprites.sprite(8).image);
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Expect& e = expected[i];
    SCOPED_TRACE(e.image);
    const Sprite& s = dir.sprites.sprite(static_cast<SpriteId>(i));
    const ImageItem& item = dir.sprites.image(s.image);
    EXPECT_EQ(item.name, e.image);
    EXPECT_EQ(item.transparency, e.transparency);
    EXPECT_EQ(item.patternWidth, e.patternW);
    EXPECT_EQ(item.patternHeight, e.patternH);
    EXPECT_EQ((std::array{static_cast<int>(s.x), static_cast<int>(s.y), s.width, s.height, s.depth, s.alpha}),
              (std::array{e.x, e.y, e.w, e.h, e.depth, e.alpha}));
  }
  EXPECT_EQ(dir.sprites.image(0).transparentColour(), 0x00FF00u);
}

// Each line's failure shows that line's text alone, whether its picture is
// missing or its size is not a number.
TEST(RouteImages, EachLineHasItsOwnErrorText) {
  const char* signTexts[] = {"停目の生成エラー",         "停止線Sの生成エラー",    "停止線Mの生成エラー",
                             "停止線Eの生成エラー",      "勾配標の生成エラー",     "制限標の生成エラー",
                             "残り距離表示の生成エラー", "踏切表示灯の生成エラー", "その他標識の生成エラー"};
  const char* signalTexts[] = {"信号機の生成エラー", "サブ信号機0の生成エラー", "サブ信号機1の生成エラー",
                               "サブ信号機2の生成エラー"};
  const char* signalPictures[] = {"sig.bmp", "s0.bmp", "s1.bmp", "s2.bmp"};
  const auto expectHalt = [](RouteDirectory& dir, const std::string& text, const char* message) {
    try {
      dir.load(text);
      ADD_FAILURE() << "loaded";
    } catch (const DataError& e) {
      EXPECT_EQ(e.messages(), std::vector<std::string>{message});
    }
  };
  for (int n = 0; n < 9; ++n) {
    SCOPED_TRACE(n);
    RouteDirectory dir("sign" + std::to_string(n));
    for (int k = 0; k < 9; ++k)
      if (k != n) dir.picture(SignPictures[k]);
    expectHalt(dir, SignImageList, signTexts[n]);
    dir.picture(SignPictures[n]);
    dir.write(SignPictures[n], "not a picture");
    expectHalt(dir, SignImageList, signTexts[n]);
  }
  for (int n = 0; n < 4; ++n) {
    SCOPED_TRACE(n);
    RouteDirectory dir("signal" + std::to_string(n));
    for (int k = 0; k < 4; ++k)
      if (k != n) dir.picture(signalPictures[k]);
    expectHalt(dir, SignalImageList, signalTexts[n]);
  }
  RouteDirectory dir("badsize");
  for (const char* p : SignPictures) dir.picture(p);
  expectHalt(dir, "[SignImageList]\nt.bmp,64\ns.bmp,x\n", "停止線Sの生成エラー");
}

TEST(RouteImages, CellListsAndMonitorFailuresAreRouteErrors) {
  RouteDirectory dir("cells");
  dir.picture("wide.bmp", 330, 75);
  dir.picture("narrow.bmp", 60, 40);
  dir.load("[AnimImageList]\nwide.bmp\nnarrow.bmp\n#\n[TrafficSignalImageList]\nnarrow.bmp\n#\n");
  ASSERT_EQ(dir.lists.AnimImageList.cells.size(), 4u);
  EXPECT_EQ(dir.lists.AnimImageList.cells[3].width, 100);
  EXPECT_EQ(dir.lists.AnimImageList.cells[3].height, 75);
  EXPECT_EQ(dir.lists.TrafficsignalImageList.cells.size(), 1u);

  struct Case {
    const char* text;
    const char* first;
  } cases[] = {
      {"[AnimImageList]\nmissing.bmp\n#\n", "路線ファイルに誤りがあります。[AnimImageList]:missing.bmp"},
      {"[TrafficSignalImageList]\nnone.bmp\n#\n", "路線ファイルに誤りがあります。[TrafficSignalImageList]:none.bmp"},
      {"[Monitor]\ntrain_E231.dat\n1\n2\n3\n4\ngone.bmp\n", "路線ファイルに誤りがあります。[SoundData]:gone.bmp"}};
  for (const Case& c : cases) {
    try {
      dir.load(c.text);
      ADD_FAILURE() << c.text;
    } catch (const DataError& e) {
      ASSERT_EQ(e.messages().size(), 2u);
      EXPECT_EQ(e.messages()[0], c.first);
      EXPECT_NE(e.messages()[1].find("が見つかりません"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace cab
