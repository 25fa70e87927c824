#pragma once

#include <optional>

namespace cab {

struct OverlayState;
class SpriteModel;

// The remaining-distance bar: pattern 0 before the stop point, 1 after an
// overrun, 2 counting down a marked distance; y is its top (it is 900
// pixels tall and slides down as the distance shrinks).
struct RemainingBar {
  bool visible = false;
  int pattern = 0;
  int y = 0;
};

// The bar for the remaining distance d (cm) on a video H pixels high. A
// marked distance (cm, 0 none) counts down the train's length (cm) and is
// cleared once the train has covered it.
RemainingBar remainingBar(long double d, int& lengthMark, int videoHeight, int trainLength);

// "[Perspective]": a mark m metres ahead is drawn at H - m / (m + distance) x horizon.
struct Perspective {
  long double distance = 0;  // m
  int horizon = 0;           // pixels
};

// A stop-position line drawn x cm ahead, 20 m or less before the stop
// point d (cm): its top and its height, or none when it is hidden.
struct StopLine {
  int y = 0;
  int height = 0;
};
std::optional<StopLine> stopLine(long double x, long double d, const Perspective& perspective, int videoHeight);

// What the bar and the lines are placed from, every frame.
struct StopPositionInputs {
  long double remainingDistance = 0;  // cm to the stop point of the next stop
  int halfZone = 0;                   // cm: `genkai` of the next stop
  Perspective perspective;
  int videoHeight = 0;
  int trainLength = 0;  // cm
};

// Moves the bar and the three stop-position lines (S at d - g, M at d, E at
// d + g). A hidden line lies above the surface; whether the lines show at
// all is the display option's, which keeps their visibility.
void placeStopPosition(OverlayState& o, const StopPositionInputs& in, SpriteModel& sprites);

}  // namespace cab
