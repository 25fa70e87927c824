#include "core/vehicle/brake_force.h"

#include <cmath>

#include "core/data/vehicle_spec.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

// Shoe friction rises as the train slows, up to the speed V; above V it is 1.
// A curve whose denominators vanish is flat (1). Standing, the ratio is kept.
void updateShoeRatio(TrainState& t, const VehicleSpec& v) {
  const long double absV = std::fabs(t.speed);
  const long double top = v.BrakeRate[2];
  const long double k = v.BrakeRate2;
  if (absV > top) {
    t.brakeShoeRatio = 1;
  } else if (absV > 0) {
    const long double atV = 1 + k * absV, atTop = 1 + k * top;
    const long double ratioTop = atTop != 0 ? (1 + 0.01L * top) / atTop : 0;
    t.brakeShoeRatio = (atV != 0 && ratioTop != 0) ? ((1 + 0.01L * absV) / atV) / ratioTop : 1.0L;
  }
}

}  // namespace

void updateBrakeForce(TrainState& t, const VehicleSpec& v) {
  updateShoeRatio(t, v);
  long double force = 0;
  if (t.emergencyBc > 0)
    force = t.brakeShoeRatio * 1000 * (t.trailerMass * t.bcTrailer + t.motorMass * t.bcMotor) * v.BrakeRate[0] /
            t.emergencyBc / 3.6L;
  if (v.BrakeType2 > 0 && t.elecBrakeCurrent > 0) force += 9.8L * v.EBrakeCurr2 * t.elecBrakeCurrent;
  t.brakeForce = force > 0 ? force : 0;
}

}  // namespace cab
