#pragma once

#include <array>

namespace cab {

// What the cab panel keeps between frames: the ammeter mode the power and
// electric-brake lamps follow, and the brake-cylinder needle's samples.
struct CabPanelState {
  static constexpr int BcSampleCount = 10;
  static constexpr long double BcSampleStart = 240;  // kPa

  int ammeterMode = 0;                                 // 0 none, 1 electric braking, 2 powering
  std::array<long double, BcSampleCount> bcSamples{};  // newest first

  // The state at the start of a drive.
  void reset() {
    ammeterMode = 0;
    bcSamples.fill(BcSampleStart);
  }
};

}  // namespace cab
