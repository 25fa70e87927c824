#include "core/route/track_events/gradient.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/route/track_events/track_event_state.h"

namespace cab {
namespace {

SlopeData slope(long double gradient, int start, int end) { return {Fixed4(gradient), start, end}; }

// A train of 4 cars of 20 m running from the level onto a 10 per-mille climb:
// each 20 m (just over, the sample needs more than one car length) one more
// car counts, so the average follows in four steps.
TEST(CarGradient, TheAverageFollowsTheHeadOneCarLengthAtATime) {
  TrackEventState s;
  startTrackEvents(s, 4, {});
  const std::vector<SlopeData> slopes{slope(10, 100, 10000)};
  const struct {
    long double position;  // cm
    int frame;
    long double average;  // after the step
  } steps[] = {
      {0, 50, 0},        // on the level: no sample yet (not beyond 20 m)
      {2001, 150, 0},    // the sample is taken before the head's row is read: still 0
      {4002, 200, 2.5},  // one car on the climb
      {5000, 210, 2.5},  // less than a car length since the last sample
      {6003, 250, 5},   {8004, 300, 7.5}, {10005, 350, 10}, {12006, 400, 10},
  };
  for (const auto& step : steps) {
    updateGradient(s, slopes, step.frame, step.position, 20);
    EXPECT_EQ(s.avgGradient.raw(), Fixed4(step.average).raw()) << step.position;
  }
  EXPECT_EQ(s.gradient.raw(), Fixed4(10).raw());
  ASSERT_EQ(s.carGradient.size(), 4u);
  for (const Fixed4& g : s.carGradient) EXPECT_EQ(g.raw(), Fixed4(10).raw());
}

// The queue holds whole per mille, rounded ties to even; a fraction of the
// car count stays in the average's four decimals.
TEST(CarGradient, SamplesAreWholePerMilleAndTheAverageKeepsFourDecimals) {
  const struct {
    long double gradient;
    int cars;
    long double sample, average;
  } cases[] = {
      {2.5, 3, 2, 0.6667},  // ties to even: 2
      {3.5, 3, 4, 1.3333},  // ties to even: 4
      {-2.5, 1, -2, -2},
      {7.4, 7, 7, 1},
  };
  for (const auto& c : cases) {
    TrackEventState s;
    startTrackEvents(s, c.cars, {});
    const std::vector<SlopeData> slopes{slope(c.gradient, 0, 1000)};
    updateGradient(s, slopes, 10, 0, 20);     // the head's gradient
    updateGradient(s, slopes, 20, 2001, 20);  // sampled
    EXPECT_EQ(s.carGradient.front().raw(), Fixed4(c.sample).raw()) << c.gradient;
    EXPECT_EQ(s.avgGradient.raw(), Fixed4(c.average).raw()) << c.gradient;
  }
}

// The head's gradient and the post along two rows: inside a row (both ends
// excluded), between rows and past the last one.
TEST(GradientPost, FollowsTheRowTheHeadIsIn) {
  const std::vector<SlopeData> slopes{slope(10, 100, 200), slope(10, 300, 400), slope(0, 400, 600),
                                      slope(-8, 700, 800)};
  const struct {
    int frame;
    int post;
    long double gradient;
  } steps[] = {
      {50, 0, 0},                  // before the first row: nothing yet
      {100, 0, 0},                 // its start frame itself is outside
      {101, 1, 10},                // row 0: post 1
      {200, 1, 10},                // its end frame: unchanged
      {250, 0, 0},                 // between rows
      {350, 2, 10},                // row 1 from the level
      {399, 2, 10}, {450, 2, 0},   // a level row straight after: the gradient changes, not the post
      {650, 0, 0},  {750, 4, -8},  // row 3
      {900, 0, 0},                 // beyond the last row
  };
  TrackEventState s;
  startTrackEvents(s, 1, {});
  for (const auto& step : steps) {
    updateGradient(s, slopes, step.frame, 0, 20);
    EXPECT_EQ(s.gradientPost, step.post) << step.frame;
    EXPECT_EQ(s.gradient.raw(), Fixed4(step.gradient).raw()) << step.frame;
  }
}

// A row of the gradient the head already has leaves the post as it is.
TEST(GradientPost, ARowOfTheSameGradientKeepsThePost) {
  const std::vector<SlopeData> slopes{slope(10, 100, 200), slope(10, 200, 300)};
  TrackEventState s;
  startTrackEvents(s, 1, {});
  updateGradient(s, slopes, 150, 0, 20);
  EXPECT_EQ(s.gradientPost, 1);
  updateGradient(s, slopes, 250, 0, 20);  // straight on into row 1
  EXPECT_EQ(s.gradientPost, 1);
}

}  // namespace
}  // namespace cab
