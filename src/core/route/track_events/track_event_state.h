#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "core/common/fixed4.h"
#include "core/data/route_records.h"

namespace cab {

// The phase clock of one road traffic light: its phase (1 … 6) and the
// ticks each phase has left, countdown[k - 1] for phase k.
struct TrafficLightClock {
  int phase = 1;
  std::array<int, 6> countdown{};
};

// What the train meets beside the track: the gradient under it, the road
// traffic lights, the other sign, the level crossings and the tunnels.
struct TrackEventState {
  static constexpr int NoPicture = 999;
  static constexpr int Redraw = 1000;   // a picture to be set up again on the next tick
  static constexpr int TimeSign = 900;  // shownSign of a timed check point
  static constexpr std::size_t CrossingQueueSize = 12;

  // Gradients in per mille: at the head, and over the train's length from
  // one sample per car length run (whole per mille, newest first).
  Fixed4 gradient;
  Fixed4 avgGradient;
  std::vector<Fixed4> carGradient;
  long double lastShiftPosition = 0;  // cm, where the last sample was taken
  int gradientPost = 0;               // the post's pattern: 0 level, r + 1 for "[Slope]" row r

  // Road traffic lights: one clock per "[TrafficSignal]" row, and the
  // picture chosen for the light approached and the one last acted on.
  std::vector<TrafficLightClock> lights;
  int lightImageNow = NoPicture;
  int lightImageShown = NoPicture;

  // The other sign: its picture (or TimeSign), the ticks since it appeared,
  // and what its sprite shows.
  int shownSign = NoPicture;
  int signTicks = 0;
  bool signVisible = false;
  int signPattern = 0;

  // Level crossings in the order the train reached them (-1 empty), the row
  // on the indicator, the indicator's pattern and its second lamp (which
  // shows pattern 1; lit at the start of a drive).
  std::array<int, CrossingQueueSize> crossingQueue = emptyCrossingQueue();
  int shownCrossing = -1;
  int crossingPattern = 0;
  bool crossingLampLit = true;

  // Tunnels: inside one, and its level ramped over 15 m at either end.
  bool inTunnel = false;
  int tunnelLevel = 0;

  static constexpr std::array<int, CrossingQueueSize> emptyCrossingQueue() {
    std::array<int, CrossingQueueSize> q{};
    q.fill(-1);
    return q;
  }
};

// The state at the start of a drive: no gradient yet over any of the `cars`
// cars, every light in phase 1 with that phase's time to run.
void startTrackEvents(TrackEventState& s, int cars, std::span<const TrafficSignalData> lights);

}  // namespace cab
