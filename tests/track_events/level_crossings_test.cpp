#include "core/route/track_events/level_crossings.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/route/track_events/track_event_state.h"

namespace cab {
namespace {

CrossData crossing(int image, int start, int end, int switchIdx = 0) { return {image, 0, start, end, switchIdx}; }

std::vector<int> queued(const TrackEventState& s) {
  std::vector<int> q;
  for (int row : s.crossingQueue)
    if (row >= 0) q.push_back(row);
  return q;
}

// Two crossings close together: the second is reached before the first is
// passed. The indicator shows the first until its end window has passed,
// then the second; between the start windows and after both it is dark.
TEST(LevelCrossings, TwoCrossingsAreShownInTheOrderReached) {
  const std::vector<CrossData> rows{crossing(1, 100, 300), crossing(2, 200, 400)};
  const std::vector<bool> departed(3, false);
  TrackEventState s;
  const struct {
    int frame;
    std::vector<int> queue;
    int shown, pattern;
  } steps[] = {
      {50, {}, -1, 0},      // nothing yet
      {100, {0}, -1, 0},    // in the first start window: queued, not yet shown
      {119, {0}, -1, 0},    //
      {120, {0}, 0, 1},     // out of the window: shown
      {205, {0, 1}, 0, 1},  // the second queued behind it
      {300, {1}, 1, 2},     // the first's end window: the second is shown
      {310, {1}, 1, 2},     // still in that window: the later head stops the scan
      {400, {}, -1, 0},     // the second's end: dark
      {500, {}, -1, 0},
  };
  for (const auto& step : steps) {
    updateLevelCrossings(s, rows, step.frame, departed);
    EXPECT_EQ(queued(s), step.queue) << step.frame;
    EXPECT_EQ(s.shownCrossing, step.shown) << step.frame;
    EXPECT_EQ(s.crossingPattern, step.pattern) << step.frame;
  }
}

// The second lamp is lit while the station the crossing depends on has not
// departed; a crossing of no station puts it out.
TEST(LevelCrossings, TheSecondLampWaitsForItsStationsDeparture) {
  const struct {
    int switchIdx;
    bool departed, lit;
  } cases[] = {{0, false, false}, {2, false, true}, {2, true, false}, {7, false, true}};
  for (const auto& c : cases) {
    const std::vector<CrossData> rows{crossing(3, 0, 1000, c.switchIdx)};
    std::vector<bool> departed(3, false);
    departed[2] = c.departed;
    TrackEventState s;
    updateLevelCrossings(s, rows, 10, departed);
    updateLevelCrossings(s, rows, 30, departed);
    EXPECT_EQ(s.crossingPattern, 3);
    EXPECT_EQ(s.crossingLampLit, c.lit) << c.switchIdx << c.departed;
  }
}

TEST(LevelCrossings, AnEmptyQueuePutsTheIndicatorOut) {
  TrackEventState s;
  EXPECT_TRUE(s.crossingLampLit);  // lit at the start of a drive
  s.crossingPattern = 2;
  updateLevelCrossings(s, std::vector<CrossData>{crossing(1, 500, 600)}, 10, {});
  EXPECT_EQ(s.crossingPattern, 0);
  EXPECT_FALSE(s.crossingLampLit);
}

// The call-out takes the head out as the end window does; the next tick shows the following one.
TEST(LevelCrossings, ShiftingTheQueueShowsTheNextCrossing) {
  const std::vector<CrossData> rows{crossing(1, 0, 1000), crossing(2, 10, 1000)};
  TrackEventState s;
  updateLevelCrossings(s, rows, 5, {});
  updateLevelCrossings(s, rows, 20, {});
  updateLevelCrossings(s, rows, 40, {});
  EXPECT_EQ(queued(s), (std::vector<int>{0, 1}));
  EXPECT_EQ(s.shownCrossing, 0);
  shiftCrossingQueue(s);
  EXPECT_EQ(queued(s), std::vector<int>{1});
  EXPECT_EQ(s.shownCrossing, 0);  // until the next tick
  updateLevelCrossings(s, rows, 41, {});
  EXPECT_EQ(s.shownCrossing, 1);
  EXPECT_EQ(s.crossingPattern, 2);
  shiftCrossingQueue(s);
  EXPECT_TRUE(queued(s).empty());
  EXPECT_EQ(s.shownCrossing, -1);
}

TEST(LevelCrossings, TheQueueHoldsTwelveCrossings) {
  std::vector<CrossData> rows;
  for (int r = 0; r < 14; ++r) rows.push_back(crossing(1, 0, 1000));
  TrackEventState s;
  updateLevelCrossings(s, rows, 0, {});
  EXPECT_EQ(queued(s).size(), TrackEventState::CrossingQueueSize);
  EXPECT_EQ(queued(s).back(), 11);
}

// After a jump the crossings whose range holds the frame are queued again
// and the indicator is dark until the next tick shows the first.
TEST(LevelCrossings, AJumpRebuildsTheQueue) {
  const std::vector<CrossData> rows{crossing(1, 0, 100), crossing(2, 150, 400), crossing(3, 300, 500),
                                    crossing(4, 350, 360)};
  TrackEventState s;
  s.crossingQueue[0] = 0;
  s.shownCrossing = 0;
  s.crossingPattern = 1;
  rebuildCrossingQueue(s, rows, 350);
  EXPECT_EQ(queued(s), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(s.shownCrossing, -1);
  EXPECT_EQ(s.crossingPattern, 0);
  EXPECT_FALSE(s.crossingLampLit);
  updateLevelCrossings(s, rows, 380, {});
  EXPECT_EQ(s.shownCrossing, 1);
  EXPECT_EQ(s.crossingPattern, 2);
}

}  // namespace
}  // namespace cab
