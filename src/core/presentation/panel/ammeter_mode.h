#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;

// What the ammeter shows the driver, every frame: 1 while the electric brake
// carries current (hold-back, a service step, a hold-back step, or a notch
// whose curve brakes), 2 while a notch powers the train (not against the door
// interlock), else 0.
int ammeterMode(const TrainState& t, const VehicleSpec& v);

}  // namespace cab
