#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;

// The electric brake current of this step: a rate-limited current command
// ("[Brake_Type]" 1) or the resistor dynamic-brake table ("[Brake_Type]" 0).
// A positive current drives the ammeter backwards.
void updateElectricBrake(TrainState& t, const VehicleSpec& v, long double framesPerSecond);

}  // namespace cab
