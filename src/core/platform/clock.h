#pragma once

namespace cab {

// The monotonic clock the frame loop measures with, and its yield.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual long double nowSeconds() const = 0;
  // Gives the rest of the time slice away; 0 only yields.
  virtual void sleepMs(int ms) = 0;
};

}  // namespace cab
