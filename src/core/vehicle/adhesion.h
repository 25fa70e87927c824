#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;

// The adhesion coefficient of this step: under power it falls slowly with
// speed, under brake (no power) faster; coasting keeps the last value.
void updateAdhesion(TrainState& t, int notch, long double friction);

// The force at which the wheels slip (under power, `notch` the notch this step used) or slide (braking), and
// the wheel slip "空転" / slide "滑走" that caps the force when it is
// exceeded. Power is carried by the motor cars only on electric vehicles.
void updateAdhesionLimit(TrainState& t, const VehicleSpec& v, int notch);
void applySlipAndSlide(TrainState& t, const VehicleSpec& v, int notch);

}  // namespace cab
