#pragma once

#include <array>

namespace cab {

// What the cab panel keeps between frames: the ammeter mode the power and
// electric-brake lamps follow, the brake-cylinder needle's samples, the bar
// gauges' tops, and the needles the tick moves smoothly (voltmeter,
// brake-command indicator).
struct CabPanelState {
  static constexpr int BcSampleCount = 10;
  static constexpr long double BcSampleStart = 240;  // renderer angle units
  // The bar gauges in the order of barTops.
  enum Bar { BcBar, MrBar, PowerCurrentBar, BrakeCurrentBar, BarCount };

  int ammeterMode = 0;                                 // 0 none, 1 electric braking, 2 powering
  std::array<long double, BcSampleCount> bcSamples{};  // needle angles, newest first
  std::array<int, BarCount> barTops{};                 // pixels, before the sway
  int lineVoltage = 1500;                              // V
  int voltmeter = 0;
  long double brakeIndicator = 0;

  // The state at the start of a drive.
  void reset() {
    ammeterMode = 0;
    bcSamples.fill(BcSampleStart);
    lineVoltage = 1500;
    voltmeter = 0;
  }
};

// The tick's needle smoothing: the voltmeter moves 250 V a tick toward the
// line voltage; the brake indicator halves its distance to the brake command
// (4.5 at the emergency position).
void smoothNeedles(CabPanelState& panel, int brakeCommand, int brakeSteps);

}  // namespace cab
