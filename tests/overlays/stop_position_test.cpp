#include "core/presentation/overlays/stop_position.h"

#include <gtest/gtest.h>

#include "core/presentation/overlays/overlay_state.h"
#include "core/presentation/sprite_model.h"

namespace cab {
namespace {

constexpr int H = 750;             // H / 3000 and H / TrainLength are exact: the halves below are halves
constexpr int TrainLength = 8000;  // 4 cars of 20 m

TEST(RemainingBar, SlidesDownOverTheLast30MetresAndCountsDownAMark) {
  struct Case {
    const char* what;
    long double d;
    int mark;
    int trainLength;
    RemainingBar bar;
    int markAfter;
  } cases[] = {
      {"at the stop point", 0, 0, TrainLength, {true, 0, H - 870}, 0},
      {"just inside 30 m", 2999, 0, TrainLength, {true, 0, H - 750 - 870}, 0},
      {"30 m out: nothing", 3000, 0, TrainLength, {}, 0},
      {"half a pixel rounds away from zero", 2, 0, TrainLength, {true, 0, H - 1 - 870}, 0},
      {"overrun", -2, 0, TrainLength, {true, 1, H + 1 - 870}, 0},
      {"overrun by 30 m", -3000, 0, TrainLength, {true, 1, H + 750 - 870}, 0},
      {"beyond a 30 m overrun", -3001, 0, TrainLength, {}, 0},
      {"near the stop the mark is ignored and kept", 1500, 50000, TrainLength, {true, 0, H - 375 - 870}, 50000},
      {"a mark counts down the train's length", 46000, 50000, TrainLength, {true, 2, H - 375 - 870}, 50000},
      {"a mark just covered", 42000, 50000, TrainLength, {true, 2, H - 870}, 50000},
      {"a mark passed is cleared", 41999, 50000, TrainLength, {}, 0},
      {"no train length: no scale, the mark stays", 52000, 50000, 0, {}, 50000},
      {"no length and the mark passed: cleared", 40000, 50000, 0, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int mark = c.mark;
    const RemainingBar bar = remainingBar(c.d, mark, H, c.trainLength);
    EXPECT_EQ(bar.visible, c.bar.visible);
    if (c.bar.visible) {
      EXPECT_EQ(bar.pattern, c.bar.pattern);
      EXPECT_EQ(bar.y, c.bar.y);
    }
    EXPECT_EQ(mark, c.markAfter);
  }
}

TEST(StopLine, PerspectiveHeightAndWindow) {
  const Perspective p{60, 150};
  constexpr int VideoH = 360;
  struct Case {
    const char* what;
    long double x, d;
    Perspective perspective;
    std::optional<StopLine> line;
  } cases[] = {
      // 10 m ahead: 360 - 10 / 70 x 150 = 338.57.
      {"10 m ahead", 1000, 1000, p, StopLine{339, 2}},
      {"far end 1.5 m beyond the stop point", 150, 0, p, StopLine{356, 2}},
      {"one pixel from 10 m before the stop", 500, 1001, p, StopLine{348, 1}},
      {"just inside 20 m", 1999, 1999, p, StopLine{323, 1}},
      {"20 m out: hidden", 2000, 2000, p, std::nullopt},
      {"at the line: hidden", 0, 500, p, std::nullopt},
      {"behind the train: hidden", -1, 500, p, std::nullopt},
      {"after an overrun the lines grow", 100, -2000, p, StopLine{358, 3}},
      {"no perspective distance", 1000, 1000, {0, 150}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto line = stopLine(c.x, c.d, c.perspective, VideoH);
    ASSERT_EQ(line.has_value(), c.line.has_value());
    if (!line) continue;
    EXPECT_EQ(line->y, c.line->y);
    EXPECT_EQ(line->height, c.line->height);
  }
}

// The three lines, the bar and an unrelated sprite of a small model.
class StopPositionSprites : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"img_unten_teimokuS", "img_unten_teimokuM", "img_unten_teimokuE", "img_unten_remain"}) {
      ImageItem item;
      item.name = name;
      item.picture = Picture(8, 900);
      Sprite s;
      s.image = model.addImage(item);
      s.width = 640;
      s.height = 8;
      model.addSprite(s);
    }
    o.sprites = findOverlaySprites(model);
  }
  void place(long double d) { placeStopPosition(o, {d, 300, {60, 150}, 360, TrainLength}, model); }
  int y(SpriteId id) const { return static_cast<int>(model.sprite(id).y); }

  SpriteModel model;
  OverlayState o;
};

TEST_F(StopPositionSprites, EachLineAtItsDistanceOrAboveTheSurface) {
  place(1000);  // S 7 m, M 10 m, E 13 m ahead
  EXPECT_EQ(y(o.sprites.stopLineS), 344);
  EXPECT_EQ(y(o.sprites.stopLineM), 339);
  EXPECT_EQ(y(o.sprites.stopLineE), 333);
  for (SpriteId id : {o.sprites.stopLineS, o.sprites.stopLineM, o.sprites.stopLineE})
    EXPECT_EQ(model.sprite(id).height, 2);
  EXPECT_TRUE(model.sprite(o.sprites.remainingBar).visible);
  EXPECT_EQ(y(o.sprites.remainingBar), 360 - 120 - 870);

  place(0);  // only the far end is ahead
  EXPECT_EQ(y(o.sprites.stopLineS), -100);
  EXPECT_EQ(y(o.sprites.stopLineM), -100);
  EXPECT_EQ(y(o.sprites.stopLineE), 353);

  place(2000);
  for (SpriteId id : {o.sprites.stopLineS, o.sprites.stopLineM, o.sprites.stopLineE}) EXPECT_EQ(y(id), -100);
  place(5000);
  EXPECT_FALSE(model.sprite(o.sprites.remainingBar).visible);
}

TEST_F(StopPositionSprites, TheLinesVisibilityIsTheDisplayOptionsOwn) {
  for (SpriteId id : {o.sprites.stopLineS, o.sprites.stopLineM, o.sprites.stopLineE}) model.sprite(id).visible = false;
  place(1000);
  for (SpriteId id : {o.sprites.stopLineS, o.sprites.stopLineM, o.sprites.stopLineE}) {
    EXPECT_FALSE(model.sprite(id).visible);
    EXPECT_GT(y(id), 300);  // placed all the same
  }
}

TEST_F(StopPositionSprites, ARouteWithoutTheLinesOnlyMovesTheBar) {
  SpriteModel barOnly;
  ImageItem item;
  item.name = "img_unten_remain";
  item.picture = Picture(8, 900);
  Sprite s;
  s.image = barOnly.addImage(item);
  barOnly.addSprite(s);
  OverlayState state;
  state.sprites = findOverlaySprites(barOnly);
  EXPECT_EQ(state.sprites.stopLineM, -1);
  placeStopPosition(state, {-10, 300, {60, 150}, 360, TrainLength}, barOnly);
  EXPECT_EQ(barOnly.sprite(0).pattern, 1);
}

}  // namespace
}  // namespace cab
