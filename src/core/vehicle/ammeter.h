#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;

// Moves the ammeter toward its target, then sets the target for the next
// frame from the traction (notch-curve vehicles: from the acceleration the
// motors give; resistor vehicles: the motor current, notching up the
// resistor steps as the current falls).
void updateAmmeter(TrainState& t, const VehicleSpec& v, int framesPerSecond);

}  // namespace cab
