#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/data/route_data.h"
#include "core/route/callouts/callout_state.h"
#include "core/route/callouts/callouts.h"
#include "core/route/track_events/track_event_state.h"
#include "tests/callouts/callout_rig.h"

namespace cab {
namespace {

// The call-out logic on a route whose call-out sounds are all distinct:
// what one press of the key queues, by name.
struct KeyRig {
  RouteData route;
  SoundBank bank = testing::calloutBank(2);
  CalloutState state;
  TrackEventState track;
  CalloutScene scene{track};
  std::array<int, TrackEventState::CrossingQueueSize>& crossings = track.crossingQueue;

  KeyRig() {
    route.KankoCount = 22;
    track.crossingLampLit = false;
  }
  void signalKanko(std::vector<std::array<int, 4>> rows) {
    for (const auto& r : rows) route.SignalKanko[static_cast<std::size_t>(route.SignalKankoCount++)].values = r;
  }
  void showSignal(int row, int image) {
    scene.shownSignal = row;
    scene.shownSignalImage = image;
  }
  std::vector<std::string> queued() const {
    std::vector<std::string> names;
    for (const WavePtr& w : state.queue.waves)
      if (w) names.push_back(testing::nameOf(bank, w.get()));
    return names;
  }
  std::vector<std::string> press() {
    state.queue.clear();
    calloutKey(CalloutSources{route, bank}, scene, state);
    return queued();
  }
};

using Names = std::vector<std::string>;

TEST(CalloutKey, SignalPicturesChooseTheirCallout) {
  const struct {
    int image;
    Names expected;
  } cases[] = {{1, {"slot 0"}},  {7, {"slot 0"}},  {30, {"slot 0"}},  {18, {"slot 1"}},  {22, {"slot 1"}},
               {4, {"slot 2"}},  {31, {"slot 2"}}, {5, {"slot 3"}},   {24, {"slot 3"}},  {3, {"slot 4"}},
               {33, {"slot 4"}}, {2, {"slot 5"}},  {29, {"slot 21"}}, {34, {"slot 21"}}, {32, {}},
               {35, {}},         {999, {}}};
  for (const auto& c : cases) {
    KeyRig k;
    k.showSignal(0, c.image);
    EXPECT_EQ(k.press(), c.expected) << c.image;
  }
}

TEST(CalloutKey, SignalTableRowsFollowTheSignalsOwnCalloutUnlessAStopHaltsThem) {
  // Rows: signal, type, value, haltOnStop. Signal 3 is on screen.
  const struct {
    const char* what;
    int image;
    std::vector<std::array<int, 4>> rows;
    Names expected;
  } cases[] = {
      {"stop halts the row", 7, {{3, 1, 9, 1}}, {"slot 0"}},
      {"stop without halt", 7, {{3, 1, 9, 0}}, {"slot 0", "slot 9"}},
      {"proceed passes the halt", 3, {{3, 1, 9, 1}}, {"slot 4", "slot 9"}},
      {"a halting row ends the scan", 10, {{3, 1, 9, 0}, {3, 2, 8, 1}, {3, 1, 11, 0}}, {"slot 0", "slot 9"}},
      {"rows in table order", 4, {{3, 2, 8, 0}, {3, 1, 11, 0}}, {"slot 2", "slot 8", "slot 11"}},
      {"other signals' rows", 4, {{2, 1, 9, 0}, {3, 1, 11, 0}}, {"slot 2", "slot 11"}},
      {"sub-signal rows wait for a sub-signal", 4, {{3, 0, 9, 0}}, {"slot 2"}},
      {"a time as value checks the clock", 4, {{3, 1, 36000, 0}}, {"slot 2", "slot 18"}},
  };
  for (const auto& c : cases) {
    KeyRig k;
    k.signalKanko(c.rows);
    k.showSignal(3, c.image);
    k.scene.clock = 36000 + 150;
    EXPECT_EQ(k.press(), c.expected) << c.what;
  }
}

TEST(CalloutKey, ASubSignalValueCallsItsNamedCalloutAfterTheSubSignalRows) {
  KeyRig k;
  k.route.KankoCount = 24;
  k.route.Kanko[22].name = 0;
  k.route.Kanko[23].name = 1;
  k.signalKanko({{3, 0, 9, 0}, {3, 1, 11, 0}});
  k.showSignal(3, 3);
  k.scene.shownSignalSub = 1;
  EXPECT_EQ(k.press(), (Names{"slot 9", "slot 23", "slot 4", "slot 11"}));
  // A cab-signal picture is not called out at all.
  k.showSignal(3, 36);
  EXPECT_EQ(k.press(), Names{});
}

TEST(CalloutKey, ASignIsCalledOnceUntilANewSignIsShown) {
  KeyRig k;
  k.showSignal(0, 3);
  k.track.shownSign = 2;
  EXPECT_EQ(k.press(), Names{"other 2"});
  EXPECT_EQ(k.press(), Names{"slot 4"});  // the second press calls the signal instead
  k.state.lastCallout = -1;               // a new sign came into view
  EXPECT_EQ(k.press(), Names{"other 2"});
}

TEST(CalloutKey, ASignWithoutItsOwnSoundLeavesTheKeyToTheCrossingAndTheSignal) {
  KeyRig k;
  k.bank.otherCalloutWaves[1] = nullptr;  // an "[OtherKanko]" row without a file
  k.track.shownSign = 1;
  k.showSignal(0, 7);
  EXPECT_EQ(k.press(), Names{"slot 0"});
  k.route.CrossCount = 5;
  k.route.Cross[4].value2 = 12;
  k.crossings[0] = 4;
  k.track.shownCrossing = 4;
  k.scene.speed = 30;
  EXPECT_EQ(k.press(), Names{"slot 12"});
}

TEST(CalloutKey, TheTimeSignChecksTheClockAgainstTheTimeRowsInRange) {
  KeyRig k;
  k.route.Time[0] = {100, 200, 36000};
  k.route.Time[1] = {150, 300, 37000};
  k.route.TimeCount = 2;
  k.track.shownSign = 900;
  k.scene.clock = 36000 + 750;  // 25 s after the first, 8 s before the second
  k.scene.frame = 160;
  EXPECT_EQ(k.press(), (Names{"slot 7", "slot 18"}));
  EXPECT_EQ(k.press(), Names{});  // once per sign: then the (absent) signal
  k.state.lastCallout = -1;
  k.scene.frame = 200;  // the first row's range ends before its end frame
  EXPECT_EQ(k.press(), Names{"slot 18"});
}

TEST(CalloutKey, LimitSignsAreCalledWhileTheTrainMovesOncePerSign) {
  const struct {
    const char* what;
    bool approach, passing;
    long double speed;
    int limitImage;
    Names expected;
  } cases[] = {
      {"approach", true, false, 40, 1, {"limit 1"}},
      {"end sign", false, true, 40, 2, {"limit 2"}},
      {"standing", true, false, 0.4L, 1, {"slot 4"}},
      {"approach sign without a sound", true, false, 40, 9, {"slot 4"}},
      {"no sign state", false, false, 40, 1, {"slot 4"}},
  };
  for (const auto& c : cases) {
    KeyRig k;
    k.showSignal(0, 3);
    k.scene.limitApproach = c.approach;
    k.scene.limitPassing = c.passing;
    k.scene.limitSignImage = c.limitImage;
    k.scene.speed = c.speed;
    EXPECT_EQ(k.press(), c.expected) << c.what;
  }
  KeyRig k;
  k.showSignal(0, 3);
  k.scene.limitApproach = true;
  k.scene.limitSignImage = 1;
  k.scene.speed = 40;
  EXPECT_EQ(k.press(), Names{"limit 1"});
  EXPECT_EQ(k.press(), Names{"slot 4"});
  k.track.shownSign = 0;  // a sign on screen takes the key first
  EXPECT_EQ(k.press(), Names{"other 0"});
}

TEST(CalloutKey, ACrossingCalloutTakesTheCrossingOutOfTheQueue) {
  KeyRig k;
  k.route.CrossCount = 6;
  k.route.Cross[2].value2 = 10;
  k.route.Cross[5].value2 = 12;
  k.crossings[0] = 2;
  k.crossings[1] = 5;
  k.track.shownCrossing = 2;
  k.scene.speed = 20;
  k.showSignal(0, 3);
  EXPECT_EQ(k.press(), Names{"slot 10"});
  EXPECT_EQ(k.crossings[0], 5);
  EXPECT_EQ(k.crossings[1], -1);
  EXPECT_EQ(k.track.shownCrossing, 2);  // the track events show the next one
  k.track.shownCrossing = 5;
  EXPECT_EQ(k.press(), Names{"slot 12"});
  EXPECT_EQ(k.crossings[0], -1);
  EXPECT_EQ(k.track.shownCrossing, -1);
  EXPECT_EQ(k.press(), Names{"slot 4"});

  // Standing, or with the second lamp lit, the key calls the signal.
  for (auto [speed, secondLamp] : {std::pair{0.3L, false}, std::pair{20.0L, true}}) {
    KeyRig s;
    s.route.CrossCount = 6;
    s.crossings[0] = 2;
    s.track.shownCrossing = 2;
    s.scene.speed = speed;
    s.track.crossingLampLit = secondLamp;
    s.showSignal(0, 3);
    EXPECT_EQ(s.press(), Names{"slot 4"});
    EXPECT_EQ(s.crossings[0], 2);
  }
}

TEST(TimeCheck, DeviationsInStepsOfTenSecondsEarlyOrLate) {
  const struct {
    int deviation;  // clock units, 30 a second
    Names expected;
  } cases[] = {{0, {"slot 18"}},  {150, {"slot 18"}}, {300, {"slot 18"}},  {301, {"slot 6"}},   {600, {"slot 6"}},
               {750, {"slot 7"}}, {-750, {"slot 7"}}, {3600, {"slot 16"}}, {3601, {"slot 17"}}, {3900, {"slot 17"}},
               {3901, {}},        {4050, {}},         {-4050, {}}};
  for (const auto& c : cases) {
    KeyRig k;
    Timekanko(36000, CalloutSources{k.route, k.bank}, 36000 + c.deviation, k.state);
    EXPECT_EQ(k.queued(), c.expected) << c.deviation;
  }
}

}  // namespace
}  // namespace cab
