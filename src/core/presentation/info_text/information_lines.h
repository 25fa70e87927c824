#pragma once

#include <optional>
#include <span>
#include <string>

#include "core/presentation/info_text/ui_text.h"

namespace cab {

// The pattern-type protection's active braking pattern in this tick: its
// target speed and position and the brake pattern's speed at the train.
struct PatternAhead {
  int patternSpeed = 0;               // km/h
  long double patternPosition = 0;    // cm
  long double brakePatternSpeed = 0;  // km/h
};

// A speed limit or speed check already within braking distance.
struct SpeedAhead {
  int limit = 0;   // km/h
  int metres = 0;  // how far ahead it is
};

// What the information lines tell: the train's speed and position, the
// pattern, the nearest limit and check within braking distance and the
// limit after it, each absent when there is none.
struct InformationInputs {
  long double speed = 0;     // km/h
  long double position = 0;  // cm
  std::optional<PatternAhead> pattern;
  std::optional<SpeedAhead> limit;
  std::optional<SpeedAhead> check;
  std::optional<int> followingLimit;  // km/h
};

// Rewrites the two information lines `limitText` and `limitText2`: the
// pattern's target, or the coming limit, or the coming speed check, whichever
// applies first; both lines are empty when none does. `infoLabels` are the
// settings file's "[InfoLabel]" texts.
void informationLines(UiText& ui, const InformationInputs& in, std::span<const std::string> infoLabels);

}  // namespace cab
