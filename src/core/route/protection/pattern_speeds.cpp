#include "core/route/protection/pattern_speeds.h"

#include <algorithm>
#include <cmath>

#include "core/common/rounding.h"
#include "core/route/protection/protection_state.h"

namespace cab {

namespace {

constexpr long double Deceleration = 3.5;   // km/h/s
constexpr long double BrakeMargin = 1000;   // cm short of the target
constexpr long double WarningExtra = 5000;  // cm before the brake pattern
constexpr int LimitSignalSpeed = 10;        // km/h: the lowest pattern, and the target of signal points

// The speed from which the pattern's deceleration reaches v0 within x cm.
int curve(long double x, int v0) {
  return static_cast<int>(roundHalfAway(std::sqrt(x / 100 * Deceleration * 7.2L + static_cast<long double>(v0) * v0)));
}

// Both speeds toward target speed v0, D cm ahead, by the kind of point.
PatternSpeeds approach(int type, int v0, long double D) {
  const long double brakeFrom = BrakeMargin;
  const long double warningFrom = BrakeMargin + WarningExtra;
  switch (type) {
    case 1:
      return {D <= brakeFrom ? v0 : curve(D - brakeFrom, v0), D <= warningFrom ? v0 : curve(D - warningFrom, v0)};
    case 2:
      return {D <= brakeFrom ? v0 : curve(D - brakeFrom, v0),
              D <= warningFrom ? v0 - LimitSignalSpeed : curve(D - warningFrom, v0)};
    case 3:
      return {curve(D, v0), D <= WarningExtra ? v0 - LimitSignalSpeed : curve(D - WarningExtra, v0)};
    default:
      return {};
  }
}

}  // namespace

PatternSpeeds patternSpeeds(const ProtectionState& p, int endType, long double position, int sectionMaxSpeed,
                            int preset) {
  PatternSpeeds s{preset, preset};
  if (endType == 0) return s;
  const int none = sectionMaxSpeed + 10;
  if (p.patternSpeed == none) return {none, none};
  if (p.patternSpeed >= sectionMaxSpeed) return s;
  const long double D = p.patternPosition - position;
  if (D > 0) s = approach(endType, p.patternSpeed, D);
  if (endType == 2) s.brake = std::max(s.brake, LimitSignalSpeed);
  if (endType == 3) s.brake = std::max(s.brake, 1);
  s.brake = std::min(s.brake, none);
  s.warning = std::min(s.warning, none);
  return s;
}

}  // namespace cab
