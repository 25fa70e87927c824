#pragma once

#include <vector>

namespace cab {

struct ProtectionContext;
struct ProtectionState;
struct RouteData;
struct SignalState;
struct TrainState;

// What the pattern type reads besides the train and the protection.
struct PatternInputs {
  const RouteData& route;
  const SignalState& signals;
  const std::vector<bool>& doorsClosedAtStation;
  int sectionMaxSpeed = 0;
};

// The pattern type (tick step 23): scans the points ahead for the braking
// pattern, computes its brake and warning speeds, moves the pattern state
// (approach, pattern brake, stop-pattern brake, release) with its log lines,
// lamps, chime and brake demands, and brakes at once at a stop point.
void patternProtection(TrainState& t, ProtectionState& p, const ProtectionContext& c, const PatternInputs& in);

// The pattern state that follows from the speed and the pattern speeds B and
// W, with the log line of the change.
int nextPatternState(ProtectionState& p, int atsAlert, long double speed, int brake, int warning, int sectionMaxSpeed);

}  // namespace cab
