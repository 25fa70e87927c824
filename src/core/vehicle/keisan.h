#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;
struct OperationState;
struct FrameTiming;
struct TrackConditions;

// One physics step over the measured frame time: effective commands,
// traction, brakes, adhesion, resistances, speed, pressures, distance,
// clock, ammeter and cab sway, in that fixed order.
void keisan(TrainState& t, const VehicleSpec& v, OperationState& operation, const TrackConditions& track,
            const FrameTiming& timing);

}  // namespace cab
