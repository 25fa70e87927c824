#include "core/presentation/overlays/track_signs.h"

#include <gtest/gtest.h>

#include "core/presentation/overlays/overlay_state.h"
#include "core/presentation/overlays/signal_heads.h"
#include "core/route/signals/signal_state.h"
#include "core/route/track_events/track_event_state.h"
#include "tests/route_data/route_test_support.h"

namespace cab {
namespace {

// A "[Signal]" row with its picture offsets and sub pictures.
SignalData signalRow(int headType) {
  SignalData r;
  r.headType = headType;
  r.subImage = 3;
  r.mainX = 10, r.mainY = 20;
  r.sub0X = 1, r.sub0Y = 2;
  r.sub1Image = 4, r.sub1X = 30, r.sub1Y = 40;
  r.sub2Image = 0, r.sub2X = 50, r.sub2Y = 60;
  r.sub1AltImage = 9;
  return r;
}

TEST(SignalHeads, WhichHeadsAShownSignalLightsAndWhere) {
  constexpr int BaseX = 300, BaseY = 100;
  struct Case {
    const char* what;
    SignalData row;
    int image, atsType;
    SignalHeads heads;
  } cases[] = {
      {"a three-lamp signal: main, sub-signal and its left indicator",
       signalRow(2),
       8,
       0,
       {{true, 310, 120, 8}, {true, 301, 102, 3}, {true, 330, 140, 4}, {}}},
      {"a stop picture swaps the indicator for its alternative",
       signalRow(2),
       7,
       1,
       {{true, 310, 120, 7}, {true, 301, 102, 3}, {true, 330, 140, 9}, {}}},
      {"a cab-signal head without cab signalling shows nothing", signalRow(9), 35, 0, {}},
      {"cab signalling shows a type-9 head and the sub-signal",
       signalRow(9),
       36,
       2,
       {{true, 310, 120, 36}, {true, 301, 102, 3}, {}, {}}},
      {"cab signalling hides the lineside heads but not the sub-signal",
       signalRow(2),
       8,
       2,
       {{}, {true, 301, 102, 3}, {}, {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SignalHeads h = signalHeads(c.row, c.image, c.atsType, BaseX, BaseY);
    const SignalHead* got[] = {&h.main, &h.sub, &h.left, &h.right};
    const SignalHead* want[] = {&c.heads.main, &c.heads.sub, &c.heads.left, &c.heads.right};
    for (int k = 0; k < 4; ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(got[k]->shown, want[k]->shown);
      if (!want[k]->shown) continue;
      EXPECT_EQ((std::array{got[k]->x, got[k]->y, got[k]->pattern}),
                (std::array{want[k]->x, want[k]->y, want[k]->pattern}));
    }
  }
  for (int image : {7, 10, 13, 17, 21, 26, 30, 35}) EXPECT_TRUE(isStopImage(image)) << image;
  for (int image : {0, 1, 4, 8, 36}) EXPECT_FALSE(isStopImage(image)) << image;
}

// A route's overlay sprites as the loader creates them.
class TrackSigns : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* p : {"t.bmp", "s.bmp", "m.bmp", "e.bmp", "g.bmp", "l.bmp", "r.bmp", "c.bmp", "o.bmp", "sig.bmp",
                          "s0.bmp", "s1.bmp", "s2.bmp"})
      dir.picture(p);
    route = dir.load(
        "[SignImageList]\nt.bmp,64\ns.bmp,3\nm.bmp,4\ne.bmp,5\ng.bmp,48\nl.bmp,40\nr.bmp,16\nc.bmp,32\no.bmp,30\n"
        "[SignalImageList]\n300,120,40,80,sig.bmp\n20,22,s0.bmp\n24,26,s1.bmp\n28,30,s2.bmp\n");
    o.sprites = findOverlaySprites(dir.sprites);
    route.Signal[0] = signalRow(2);
  }
  void show(int stopBoard) {
    showTrackSigns(o, {stopBoard, signals, std::span(route.Signal).first(1), 300, 120, 0}, dir.sprites);
  }
  const Sprite& sprite(SpriteId id) const { return dir.sprites.sprite(id); }

  testing::RouteDirectory dir{"track-signs"};
  RouteData route;
  OverlayState o;
  SignalState signals;
};

TEST_F(TrackSigns, FindsEverySpriteByItsPicture) {
  const OverlaySprites& s = o.sprites;
  const SpriteId ids[] = {s.stopMarker, s.stopLineS,    s.stopLineM,  s.stopLineE,    s.gradientPost,
                          s.limitSign,  s.remainingBar, s.crossing,   s.crossingLamp, s.otherSign,
                          s.signal,     s.subSignal,    s.leftSignal, s.rightSignal};
  // The loader creates them in this order, the crossing picture twice.
  for (std::size_t i = 0; i < std::size(ids); ++i) EXPECT_EQ(ids[i], static_cast<SpriteId>(i));
  EXPECT_EQ(findOverlaySprites(SpriteModel{}).stopMarker, -1);
}

TEST_F(TrackSigns, StopMarkerShowsTheStationsBoard) {
  show(4);
  EXPECT_TRUE(sprite(o.sprites.stopMarker).visible);
  EXPECT_EQ(sprite(o.sprites.stopMarker).pattern, 4);
  show(11);
  EXPECT_EQ(sprite(o.sprites.stopMarker).pattern, 11);
  show(0);  // between the boards
  EXPECT_FALSE(sprite(o.sprites.stopMarker).visible);
}

TEST_F(TrackSigns, SignalHeadsFollowThePictureSetUpOnTheOverlay) {
  show(0);
  for (SpriteId id : {o.sprites.signal, o.sprites.subSignal, o.sprites.leftSignal, o.sprites.rightSignal})
    EXPECT_FALSE(sprite(id).visible);
  signals.overlaySignal = 0;
  signals.overlayImage = 8;
  show(0);
  EXPECT_TRUE(sprite(o.sprites.signal).visible);
  EXPECT_EQ(sprite(o.sprites.signal).pattern, 8);
  EXPECT_EQ(sprite(o.sprites.signal).x, 310);
  EXPECT_EQ(sprite(o.sprites.signal).y, 140);
  EXPECT_TRUE(sprite(o.sprites.leftSignal).visible);
  EXPECT_FALSE(sprite(o.sprites.rightSignal).visible);
  // The speed point resets the shown fields; the heads stay until the signal is passed.
  signals.shownSignal = signals.shownSignalImage = 999;
  show(0);
  EXPECT_TRUE(sprite(o.sprites.signal).visible);
  signals.overlaySignal = 1;  // a row beyond the table's rows in use
  show(0);
  EXPECT_FALSE(sprite(o.sprites.signal).visible);
  signals.overlaySignal = 0;
  signals.overlayImage = 999;  // passed
  show(0);
  EXPECT_FALSE(sprite(o.sprites.signal).visible);
}

// The gradient post and the crossing indicator stay up with pattern 0 when
// there is nothing to show; the other sign and the crossing's second lamp
// come and go, the lamp always with pattern 1.
TEST_F(TrackSigns, TrackEventSignsShowWhatTheEventsChose) {
  TrackEventState events;
  events.crossingLampLit = false;
  showTrackEventSigns(o, events, dir.sprites);
  EXPECT_TRUE(sprite(o.sprites.gradientPost).visible);
  EXPECT_EQ(sprite(o.sprites.gradientPost).pattern, 0);
  EXPECT_FALSE(sprite(o.sprites.otherSign).visible);
  EXPECT_TRUE(sprite(o.sprites.crossing).visible);
  EXPECT_EQ(sprite(o.sprites.crossing).pattern, 0);
  EXPECT_FALSE(sprite(o.sprites.crossingLamp).visible);
  events.gradientPost = 2;
  events.signVisible = true;
  events.signPattern = 3;
  events.crossingPattern = 4;
  events.crossingLampLit = true;
  showTrackEventSigns(o, events, dir.sprites);
  EXPECT_EQ(sprite(o.sprites.gradientPost).pattern, 2);
  EXPECT_TRUE(sprite(o.sprites.otherSign).visible);
  EXPECT_EQ(sprite(o.sprites.otherSign).pattern, 3);
  EXPECT_EQ(sprite(o.sprites.crossing).pattern, 4);
  EXPECT_TRUE(sprite(o.sprites.crossingLamp).visible);
  EXPECT_EQ(sprite(o.sprites.crossingLamp).pattern, 1);
}

TEST_F(TrackSigns, SignsWithoutTheirRulesStayHidden) {
  show(4);
  EXPECT_FALSE(sprite(o.sprites.limitSign).visible);
}

}  // namespace
}  // namespace cab
