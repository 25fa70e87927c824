#pragma once

#include <span>

namespace cab {

class Drive;

// One step of the 100 ms tick: its number in the tick's order, what it does,
// and the rule it runs on the drive. A step returns false when the rest of
// the tick is skipped.
struct TickStep {
  int number;
  const char* name;
  bool (*run)(Drive&);
};

// The tick's built steps in their order; a step whose subsystem is not built
// yet is not listed. The first runs unguarded, a failure in any later one is
// shown and ends the tick.
std::span<const TickStep> tickSteps();

}  // namespace cab
