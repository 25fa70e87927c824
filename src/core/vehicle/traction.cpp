#include "core/vehicle/traction.h"

#include <algorithm>
#include <cmath>

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"
#include "core/vehicle/vehicle_tables.h"

namespace cab {

namespace {

// Notch curve: rising acceleration up to v1, constant power up to v2, then
// falling with the exponent e. A row with a0 <= 0 gives a constant
// acceleration between v1 and v2 only.
long double notchCurveForce(const NotchRow& r, long double absV, long double mass) {
  const long double perAccel = mass * 1000 / 3.6L;  // N per km/h/s
  if (r.a0 <= 0) return (r.v1 <= absV && absV < r.v2) ? perAccel * r.a0 : 0;
  if (absV < r.v1) return perAccel * (r.a0 + absV * (r.a1 - r.a0) / r.v1);
  if (absV < r.v2) return absV > 0 ? perAccel * (r.v1 * r.a1 / absV) : 0;
  const auto rounded = static_cast<long double>(roundHalfAway(absV));
  if (r.v2 == 0 || rounded == 0) return 0;
  return perAccel * (r.v1 * r.a1 / r.v2) * std::pow(static_cast<long double>(r.v2), r.e) / std::pow(rounded, r.e);
}

long double resistorForce(const TrainState& t, const VehicleSpec& v, long double absV, long double mass) {
  if (v.CurrentPImax == 0) return 0;
  const long double share = static_cast<long double>(t.motorCurrent) / v.CurrentPImax;
  if (absV < v.CurrentPvBase) return share * v.CurrentPaMax / 3.6L * mass * 1000;
  if (absV == 0) return 0;
  return share * (v.CurrentPvBase * v.CurrentPaMax / 3.6L / absV) * mass * 1000;
}

long double dieselForce(const TrainState& t, const VehicleSpec& v, long double absV) {
  if (t.gear < 0 || t.gear >= v.EngineCount || v.Power == 0) return 0;
  const EngineRow& g = engineRow(v, t.gear);
  const int n = t.powerNotch;
  if (absV < g.s1) {
    if (g.s1 == g.s0) return 0;
    const long double effort = g.f0 + (g.f1 - g.f0) / (g.s1 - g.s0) * std::fabs(absV - g.s0);
    const int k = t.speed < v.PowerJerk ? std::min(n, 2) : n;
    return 9.8L * effort / v.Power * k;
  }
  if (absV < g.s2) {
    if (g.s2 == g.s1) return 0;
    const long double effort = g.f1 + (g.f2 - g.f1) / (g.s2 - g.s1) * std::fabs(absV - g.s1);
    return 9.8L * effort / v.Power * n;
  }
  return 0;
}

}  // namespace

bool doorRuleAllowsTraction(const TrainState& t, const VehicleSpec& v) {
  return v.DoorLock == 0 || (v.DoorLock == 1 && !t.doorsOpen);
}

long double tractionForce(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags) {
  if (t.speed >= v.MaxSpeed || !doorRuleAllowsTraction(t, v) || t.engineRunning != 1 || flags.any()) return 0;
  const int n = t.powerNotch;
  if (n <= 0) return 0;
  const long double absV = std::fabs(t.speed);
  const long double mass = t.trainMass;
  long double force = 0;
  if (v.Engine_Type == 1 && v.Power_Type == 1) {
    if (t.brakeHandle == 0 && n <= v.Power) force = notchCurveForce(notchRow(v, n), absV, mass);
  } else if (v.Engine_Type == 1 && v.Power_Type == 0) {
    force = resistorForce(t, v, absV, mass);
  } else if (v.Engine_Type == 0 && t.clutchOut == 0) {
    force = dieselForce(t, v, absV);
  }
  if (t.reverser == 0) return 0;
  return t.reverser < 0 ? -force : force;
}

void updateResistorStep(TrainState& t, const VehicleSpec& v, int frameMs) {
  if (!t.resistorStepPending) return;
  t.resistorStepElapsed += frameMs;
  const int delay = t.resistorStep < v.CurrentPCount ? currentPRow(v, t.resistorStep).delay : 0;
  if (t.resistorStepElapsed < delay) return;
  t.resistorStepPending = false;
  t.resistorStepElapsed = 0;
  if (t.resistorStep + 1 < v.CurrentPCount) ++t.resistorStep;
  t.resistorStepChanged = true;
}

}  // namespace cab
