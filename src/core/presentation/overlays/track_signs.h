#pragma once

#include <span>

#include "core/data/route_records.h"

namespace cab {

struct OverlayState;
struct SignalState;
class SpriteModel;

// What decides the track-side signs this frame.
struct TrackSignInputs {
  int stopBoardPattern = 0;  // the stations' board: 0 none
  const SignalState& signals;
  std::span<const SignalData> signalRows;
  int signalBaseX = 0, signalBaseY = 0;
  int atsType = 0;
};

// Shows the stop marker, the signal heads of the signal on screen and the
// crossing indicator. The gradient post, the speed-limit sign and the other
// sign stay hidden: the rules that choose their pictures do not run yet.
void showTrackSigns(const OverlayState& o, const TrackSignInputs& in, SpriteModel& sprites);

}  // namespace cab
