#pragma once

#include <span>

#include "core/data/route_records.h"

namespace cab {

struct OverlayState;
struct SignalState;
struct TrackEventState;
class SpriteModel;

// What decides the track-side signs this frame.
struct TrackSignInputs {
  int stopBoardPattern = 0;  // the stations' board: 0 none
  const SignalState& signals;
  std::span<const SignalData> signalRows;
  int signalBaseX = 0, signalBaseY = 0;
  int atsType = 0;
  // The speed-limit sign: the picture the limits ahead chose (0 none) and
  // its lamp, which blinks while a limit approaches.
  int limitSignPattern = 0;
  bool limitSignLit = false;
};

// Shows the stop marker, the signal heads of the signal on screen and the
// speed-limit sign.
void showTrackSigns(const OverlayState& o, const TrackSignInputs& in, SpriteModel& sprites);

// Shows what the track-side events chose: the gradient post (always up, its
// pattern 0 the level), the other sign, and the level-crossing indicator
// with its second lamp, which shows pattern 1 over the first.
void showTrackEventSigns(const OverlayState& o, const TrackEventState& events, SpriteModel& sprites);

}  // namespace cab
