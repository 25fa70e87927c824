#include <gtest/gtest.h>

#include "core/common/frame_timing.h"
#include "core/shell/video_position.h"
#include "core/vehicle/train_state.h"

namespace cab {
namespace {

TEST(FrameTiming, PacesFramesAndClampsOddIntervals) {
  struct Case {
    long double last, now;
    bool due;
    int sleep;
    long double frameMs;
  } cases[] = {
      {1.0L, 1.010L, false, 1, 10},  // early: sleep a millisecond
      {1.0L, 1.016L, false, 0, 16},  // within the last millisecond: only yield
      {1.0L, 1.017L, true, -1, 17},  // due
      {1.0L, 3.0L, true, -1, 20},    // more than a second: a 20 ms frame
      {1.0L, 1.0L, false, 1, 1},     // no time at all counts as 1 ms
  };
  for (const auto& c : cases) {
    FrameTiming t;
    t.lastFrame = c.last;
    int sleep = -1;
    EXPECT_EQ(t.measure(c.now, sleep), c.due) << static_cast<double>(c.now);
    EXPECT_NEAR(static_cast<double>(t.frameMs), static_cast<double>(c.frameMs), 1e-6);
    if (c.due) {
      EXPECT_EQ(t.lastFrame, c.now);
      EXPECT_EQ(t.framesPerSecond, static_cast<int>(1000 / c.frameMs + 0.5L));
    } else {
      EXPECT_EQ(sleep, c.sleep);
      EXPECT_EQ(t.lastFrame, c.last);  // the next call measures from the same point
    }
  }
}

TEST(VideoPosition, SpeedUnitsBecomeVideoFrames) {
  struct Case {
    long double speed;
    int filmSpeed;
    int accumulator;
    int frameAfter;
    int accumulatorAfter;
  } cases[] = {
      {50, 60, 0, 100, 25},   // 50 km/h x 30 fps x 1/60 s = 25 units: not a frame yet
      {50, 60, 40, 101, 5},   // 65 units: one frame, 5 left
      {0.9L, 60, 0, 100, 0},  // below 1 km/h adds nothing: the video stands
      {-50, 20, 0, 99, 5},    // backwards
      {50, 0, 0, 150, 0},     // no recording speed: two frames per unit
      {50, -1, 0, 100, 25},   // a negative recording speed leaves the frame alone
  };
  for (const auto& c : cases) {
    TrainState t;
    t.frame = 100;
    t.speed = c.speed;
    t.filmSpeed = c.filmSpeed;
    t.frameAccumulator = c.accumulator;
    advanceVideoPosition(t, 30, 1000.0L / 60);
    EXPECT_EQ(t.frame, c.frameAfter) << static_cast<double>(c.speed) << " " << c.filmSpeed;
    EXPECT_EQ(t.frameAccumulator, c.accumulatorAfter) << static_cast<double>(c.speed) << " " << c.filmSpeed;
  }
}

TEST(VideoPosition, SwayOffsetRoundsHalfAway) {
  EXPECT_EQ(swayOffset(0.5L), 3);  // 12.5 rounds to 13
  EXPECT_EQ(swayOffset(0), -10);
  EXPECT_EQ(swayOffset(-0.5L), -23);
}

}  // namespace
}  // namespace cab
