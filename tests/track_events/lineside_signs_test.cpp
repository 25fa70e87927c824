#include "core/route/track_events/lineside_signs.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/route/track_events/track_event_state.h"

namespace cab {
namespace {

// Running at 60 km/h, 500 m before the next stop.
SignConditions at(int frame, int clock = 0) { return {frame, 60, 50000, clock}; }

TEST(Signs, ASignShowsItsPictureAndSwitchesAfterItsSeconds) {
  const std::vector<SignData> signs{{4, 100, 10000, 30}};  // picture 4, then 5 after 30 s
  TrackEventState s;
  EXPECT_TRUE(updateSigns(s, signs, {}, at(100)));  // appears: its call-out is due
  EXPECT_TRUE(s.signVisible);
  EXPECT_EQ(s.signPattern, 4);
  EXPECT_EQ(s.shownSign, 4);
  int ticks = 1;
  while (!updateSigns(s, signs, {}, at(101)) && ticks < 1000) ++ticks;
  EXPECT_EQ(ticks, 301);  // the tick after 300 ticks had passed
  EXPECT_EQ(s.signPattern, 5);
  EXPECT_EQ(s.shownSign, 5);
  EXPECT_FALSE(updateSigns(s, signs, {}, at(102)));    // switched once
  EXPECT_FALSE(updateSigns(s, signs, {}, at(10000)));  // past its end frame: hidden
  EXPECT_FALSE(s.signVisible);
  EXPECT_EQ(s.shownSign, TrackEventState::NoPicture);
}

TEST(Signs, SwitchTimesAboveA999AreTimesOfDay) {
  const std::vector<SignData> signs{{2, 0, 1000, 36000}, {6, 2000, 3000, 0}};
  TrackEventState s;
  updateSigns(s, signs, {}, at(10, 35999));
  updateSigns(s, signs, {}, at(11, 36000));
  EXPECT_EQ(s.signPattern, 2);
  EXPECT_TRUE(updateSigns(s, signs, {}, at(12, 36001)));
  EXPECT_EQ(s.signPattern, 3);
  updateSigns(s, signs, {}, at(1500));  // between the signs: hidden
  // A sign of switch time 0 never switches.
  for (int tick = 0; tick < 2000; ++tick) updateSigns(s, signs, {}, at(2500));
  EXPECT_EQ(s.signPattern, 6);
}

TEST(Signs, TheTimeSignShowsWhileRunningWellBeforeTheStop) {
  const std::vector<TimeData> times{{100, 200, 0, false}};
  const struct {
    const char* what;
    SignConditions c;
    bool shown;
  } cases[] = {
      {"in its range", at(150), true},
      {"its start frame is outside", at(100), false},
      {"its end frame is outside", at(200), false},
      {"standing", {150, 1, 50000, 0}, false},
      {"within 100 m of the stop", {150, 60, 10000, 0}, false},
  };
  for (const auto& c : cases) {
    TrackEventState s;
    EXPECT_EQ(updateSigns(s, {}, times, c.c), c.shown) << c.what;
    EXPECT_EQ(s.signVisible, c.shown) << c.what;
    EXPECT_EQ(s.shownSign, c.shown ? TrackEventState::TimeSign : TrackEventState::NoPicture) << c.what;
    if (c.shown) {
      EXPECT_EQ(s.signPattern, 0) << c.what;
    }
  }
}

TEST(Signs, ASignAlreadyUpKeepsTheTimeSignAway) {
  const std::vector<SignData> signs{{3, 100, 300, 0}};
  const std::vector<TimeData> times{{100, 300, 0, false}};
  TrackEventState s;
  updateSigns(s, signs, times, at(150));
  EXPECT_EQ(s.shownSign, 3);
  EXPECT_FALSE(updateSigns(s, signs, times, at(160)));
  EXPECT_EQ(s.signPattern, 3);
}

}  // namespace
}  // namespace cab
