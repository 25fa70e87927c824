#include <gtest/gtest.h>

#include "core/route/stations/timetable_clock.h"

namespace cab {
namespace {

TEST(Timecalc, WritesHoursMinutesSecondsWithLeadingZeros) {
  struct Case {
    int clock;
    const char* text;
  };
  const Case cases[] = {
      {756000, "07:00:00"},                        // 7 h
      {(7 * 3600 + 5 * 60 + 9) * 30, "07:05:09"},  //
      {(23 * 3600 + 59 * 60 + 59) * 30 + 29, "23:59:59"},
      {(25 * 3600 + 1) * 30, "25:00:01"},  // not wrapped at 24 h
      {31, "00:00:01"},
  };
  for (const Case& c : cases) {
    int shown = -1;
    std::string text;
    timecalc(c.clock, shown, text);
    EXPECT_EQ(text, c.text) << c.clock;
  }
}

TEST(Timecalc, ChangesTheTextOnlyWhenTheSecondsFieldChanges) {
  int shown = 0;
  std::string text = "old";
  timecalc(756000 + 29, shown, text);  // seconds field 0 as already shown
  EXPECT_EQ(text, "old");
  timecalc(756000 + 30, shown, text);
  EXPECT_EQ(text, "07:00:01");
  EXPECT_EQ(shown, 1);
  // One minute later the seconds field is 1 again: the text is not rewritten.
  timecalc(756000 + 30 + 1800, shown, text);
  EXPECT_EQ(text, "07:00:01");
}

TEST(StartClock, EndsTheStartStationsSoundsAtItsDepartureTime) {
  const TimedStop stop{108000, 20, 8};  // departure 01:00:00, arrival sound 20 s, departure sound 8 s
  EXPECT_EQ(startClock(0, stop), 108000 - 8 * 30);
  EXPECT_EQ(startClock(3, stop), 108000 - 8 * 30 - 20 * 30);
}

TEST(InterpolatedDeparture, FollowsThePositionBetweenTheTimedNeighbours) {
  const TimedPoint p{10 * 108000, 0};
  const TimedPoint q{10 * 108000 + 600 * 30, 100000};
  EXPECT_EQ(interpolatedDeparture(p, q, 50000), 10 * 108000 + 300 * 30);  // 10:05:00
  EXPECT_EQ(interpolatedDeparture(p, std::nullopt, 50000), p.deptime);
  EXPECT_EQ(interpolatedDeparture(std::nullopt, q, 50000), q.deptime);
  EXPECT_EQ(interpolatedDeparture(p, TimedPoint{q.deptime, 0}, 0), p.deptime);  // no division by a zero distance
  EXPECT_FALSE(interpolatedDeparture(std::nullopt, std::nullopt, 0));
  // Halfway between 0 and 3 units lies 1.5: ties go to the even neighbour.
  EXPECT_EQ(interpolatedDeparture(TimedPoint{0, 0}, TimedPoint{3, 200}, 100), 2);
  EXPECT_EQ(interpolatedDeparture(TimedPoint{0, 0}, TimedPoint{5, 200}, 100), 2);
}

}  // namespace
}  // namespace cab
