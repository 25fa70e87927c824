#pragma once

#include <vector>

namespace cab {

struct ProtectionState;
struct RouteData;
struct SignalState;

// What the pattern type's scan of the protection points reads.
struct PatternScanInputs {
  const RouteData& route;  // the protection points and the signals that made them
  const SignalState& signals;
  const std::vector<bool>& doorsClosedAtStation;  // per station: the stop there is over
  long double position = 0;                       // cm
  long double speed = 0;                          // km/h
  int sectionMaxSpeed = 0;
  int atsAlert = 0;
};

// Scans the protection points less than 600 m ahead: a stop signal, a
// stopping station or a speed limit met in one of the windows before it sets
// the braking pattern toward it; a signal that has cleared, or a station
// whose stop is over, clears the pattern it set. Each action is logged.
// Returns the type of the point where the scan ended, 0 when it ran past the
// last one.
int scanProtectionPoints(ProtectionState& p, const PatternScanInputs& in);

}  // namespace cab
