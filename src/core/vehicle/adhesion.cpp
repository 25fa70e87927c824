#include "core/vehicle/adhesion.h"

#include <cmath>

#include "core/data/vehicle_spec.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

// The mass whose weight carries the traction.
long double drivingMass(const TrainState& t, const VehicleSpec& v) {
  return v.Engine_Type == 1 ? t.motorMass : t.trainMass;
}

}  // namespace

void updateAdhesion(TrainState& t, int notch, long double friction) {
  const long double absV = std::fabs(t.speed);
  if (notch >= 1)
    t.adhesion = friction * (1 + 0.279L * absV) / (1 + 0.367L * absV);
  else if (t.brakeCommand < 0)
    t.adhesion = friction / (1 + 0.0059L * absV);
}

void updateAdhesionLimit(TrainState& t, const VehicleSpec& v, int notch) {
  if (notch >= 1)
    t.adhesionLimit = t.resistForce + 9.8L * drivingMass(t, v) * 1000 * t.adhesion;
  else if (t.brakeCommand < 0)
    t.adhesionLimit = t.resistForce + 9.8L * t.trainMass * 1000 * t.adhesion;
}

void applySlipAndSlide(TrainState& t, const VehicleSpec& v, int notch) {
  if (notch >= 1 && t.tractiveForce > t.adhesionLimit) {
    t.tractiveForce = 9.8L * drivingMass(t, v) * 1000 * t.adhesion / 2;
    t.adhesionLabel = "空転";
  } else if (t.brakeCommand < 0 && t.tractiveForce < -t.adhesionLimit) {
    t.tractiveForce = -0.66L * 9.8L * t.trainMass * 1000 * t.adhesion;
    t.adhesionLabel = "滑走";
  } else {
    t.adhesionLabel.clear();
  }
}

}  // namespace cab
