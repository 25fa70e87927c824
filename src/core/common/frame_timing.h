#pragma once

namespace cab {

// The frame loop's measurement of frame time, which the physics integrates over.
struct FrameTiming {
  long double now = 0;        // s
  long double lastFrame = 0;  // s, `now` of the last call that ran a frame
  long double frameMs = 0;
  int framesPerSecond = 0;

  static constexpr long double FramePeriodMs = 16.667L;

  // Measures the time since the last frame at `nowSeconds`. Returns true when
  // a frame is due (and then takes it as the new last frame); otherwise
  // `sleepMs` tells how long to yield (1, or 0 within the last millisecond).
  bool measure(long double nowSeconds, int& sleepMs);
};

}  // namespace cab
