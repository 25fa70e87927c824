#include "core/common/frame_timing.h"

#include "core/common/rounding.h"

namespace cab {

bool FrameTiming::measure(long double nowSeconds, int& sleepMs) {
  now = nowSeconds;
  frameMs = (now - lastFrame) * 1000;
  // A frame after a pause, a dialog or a window drag counts as a normal one.
  if (frameMs > 1000) frameMs = 20;
  if (frameMs == 0) frameMs = 1;
  framesPerSecond = static_cast<int>(Round(1000 / frameMs));
  if (frameMs < FramePeriodMs) {
    sleepMs = frameMs <= FramePeriodMs - 1 ? 1 : 0;
    return false;
  }
  lastFrame = now;
  return true;
}

}  // namespace cab
