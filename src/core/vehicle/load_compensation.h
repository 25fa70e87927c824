#pragma once

#include "core/data/vehicle_spec.h"
#include "core/vehicle/train_state.h"

namespace cab {

// Sets the train's masses and brake-pressure limits for a passenger load of
// `percent` (the load of the section the train runs in: the percent of the
// station before the next stop, 0 before the first stop). With a load each
// value is the empty value plus the load's share, rounded (ties to even) to a
// whole tonne or kPa; without one the empty values are taken as they are.
void compensateLoad(TrainState& train, const VehicleSpec& vehicle, int percent);

}  // namespace cab
