#pragma once

#include <algorithm>
#include <cmath>

#include "core/common/fixed4.h"
#include "core/data/vehicle_spec.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"

namespace cab {

// What one brake-pressure update works with: the train, its vehicle, the
// protection's brake demands and the step rate f (steps per second; every
// per-second rate is applied as rate / f).
struct BrakeStep {
  TrainState& t;
  const VehicleSpec& v;
  const ProtectionFlags& flags;
  long double f;

  // Service steps between release and EB ("[Brake]" - 1), never below 1.
  int serviceSteps() const { return std::max(v.Brake - 1, 1); }
  // Brake positions including EB, never below 1.
  int positions() const { return std::max(v.Brake, 1); }

  // Release of pressure X at `rate` kPa/s with base b: slows as X falls
  // (at 0 kPa to 1/11 of the rate).
  template <typename P>
  void release(P& x, long double base, long double rate) const {
    const long double p = x;
    x = p - (rate / f) / (10 * std::pow(base, -p / 10) + 1);
  }
  template <typename P>
  void releaseBc(P& x, long double base) const {
    release(x, base, v.BrakeDown);
  }
};

// Minimum of the main-reservoir pressure and 490 kPa: what the brake pipe
// charges to.
inline long double brakePipeTarget(const TrainState& t) { return t.mrPressure >= 490 ? 490.0L : t.mrPressure.value(); }

}  // namespace cab
