#pragma once

namespace cab {

struct RouteData;
struct SignalState;

// The moment of one physics step: the driven train's frame, the route clock
// and the frame loop's values the video advance uses.
struct PrecedingTrainStep {
  int trainFrame = 0;
  int clock = 0;  // 1/30 s
  int videoFrameRate = 0;
  long double frameMs = 0;
};

// Physics step: while the preceding train is not behind the driven train, it
// takes the speed of the "[Pre_Train]" row whose station it has reached (0
// until that row's departure time has passed) and moves through the video by
// the recording speed at its own frame. Rows naming a station the route does
// not have are ignored.
void advancePrecedingTrain(SignalState& s, const RouteData& route, const PrecedingTrainStep& step);

// Tick: beyond the second "[Pre_Train]" value the preceding train has left
// the route.
void precedingTrainLeaves(SignalState& s, const RouteData& route);

// After a jump to a station at `clock`: for a row whose departure time has
// come while the next row's has not, the preceding train waits at the next
// row's station (the last such row wins); 0 (none) when no row fits.
int precedingTrainAfterJump(const RouteData& route, int clock);

}  // namespace cab
