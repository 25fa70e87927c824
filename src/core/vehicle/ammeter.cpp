#include "core/vehicle/ammeter.h"

#include <algorithm>
#include <cmath>

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/vehicle/traction.h"
#include "core/vehicle/train_state.h"
#include "core/vehicle/vehicle_tables.h"

namespace cab {

namespace {

int curveTarget(const TrainState& t, const VehicleSpec& v) {
  if (t.trainMass.raw() <= 0) return 0;
  const long double a = 3.6L * t.motorForceAfterDelay / (t.trainMass * 1000);
  const long double k = v.AmMeter[1];
  const int n = t.powerNotch;
  if (v.AmMeter[0] != 1) return (t.brakeCommand < 0 || n > 0) ? static_cast<int>(Round(k * a)) : 0;
  const int topV1 = v.Power >= 1 ? notchRow(v, v.Power).v1 : 0;
  if (n > 0 && topV1 != 0 && t.speed < topV1) return static_cast<int>(Round(a * k / topV1 * t.speed));
  if (n > 0) return static_cast<int>(Round(a * k));
  if (t.brakeCommand < 0 && t.motorForceAfterDelay < 0) return static_cast<int>(Round(a * k));
  return 0;
}

int resistorTarget(TrainState& t, const VehicleSpec& v) {
  if (t.powerNotch == 0) {
    t.resistorStep = 0;
    t.motorCurrent = 0;
    return 0;
  }
  if (!doorRuleAllowsTraction(t, v) || t.resistorStep >= v.CurrentPCount) return t.motorCurrent;
  for (int k = 0; k < v.CurrentPCount; ++k) {
    if (t.resistorStep < k && currentPRow(v, k).notch <= t.powerHandle &&
        t.motorCurrent < v.CurrentPImax + t.currentLimitBoost)
      t.resistorStepPending = true;
    const CurrentPRow& row = currentPRow(v, t.resistorStep);
    const long double divisor = t.reverser * t.speed - row.v0;
    if (divisor != 0) t.motorCurrent = static_cast<int>(roundHalfAway(row.c / divisor));
  }
  return t.motorCurrent;
}

}  // namespace

void updateAmmeter(TrainState& t, const VehicleSpec& v, int framesPerSecond) {
  const int diff = t.ammeterTarget - t.ammeter;
  const auto move = static_cast<int>(roundHalfAway(std::abs(diff) * 5.0L / framesPerSecond));
  t.ammeter += diff > 0 ? std::min(move, diff) : -std::min(move, -diff);
  if (v.Engine_Type == 1 && v.Power_Type == 0)
    t.ammeterTarget = resistorTarget(t, v);
  else
    t.ammeterTarget = curveTarget(t, v);
}

}  // namespace cab
