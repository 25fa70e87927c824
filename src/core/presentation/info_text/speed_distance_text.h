#pragma once

#include <string>

#include "core/presentation/info_text/ui_text.h"

namespace cab {

// The speed text: the speed in km/h with one decimal, right-aligned in five
// characters, followed by " km/h".
std::string speedText(long double speed);

// The distance to the next stop in metres, right-aligned in five characters
// and followed by " m": whole metres beyond 10 m, decimetres beyond 5 m,
// centimetres closer in. An overrun (negative distance) keeps its sign.
std::string distanceText(long double remainingCm);

// Writes both texts of one tick.
void speedAndDistanceTexts(UiText& ui, long double speed, long double remainingCm);

}  // namespace cab
