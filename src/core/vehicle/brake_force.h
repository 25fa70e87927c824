#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;

// The brake force of this step in N (never negative): the cylinders' force
// scaled by the shoe friction at this speed, plus the electric brake of a
// blended or supplementary vehicle.
void updateBrakeForce(TrainState& t, const VehicleSpec& v);

}  // namespace cab
