#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;
class SoundChannels;

// The driver's handle actions. Each input device changes the handles only
// through these, then sets the pending delay flags and calls masconupdate.

// The power handle one notch up or down inside the current power mode.
void PowerUp(TrainState& t, const VehicleSpec& v);
void PowerDown(TrainState& t, const VehicleSpec& v);

// The combined handle one position toward power or toward brake (also the
// "8" and "2" keys of either handle type).
void oneHandleTowardPower(TrainState& t, const VehicleSpec& v);
void oneHandleTowardBrake(TrainState& t, const VehicleSpec& v);

// The separate brake handle: BrakeDown releases one step, BrakeUp applies one
// step (never past the last service step).
void BrakeDown(TrainState& t, const VehicleSpec& v);
void BrakeUp(TrainState& t, const VehicleSpec& v);

// Power 0 and brake at EB (the separate brake handle: brake only), hold-back off.
void Emergency(TrainState& t, const VehicleSpec& v);
void brakeHandleEmergency(TrainState& t, const VehicleSpec& v);
// Power 0 and brake 0, hold-back off.
void AllNeutral(TrainState& t);

// Whether the reverser may be moved now: standing (|speed| <= 1 km/h) and
// the interlock allows it.
bool reverserFree(const TrainState& t, const VehicleSpec& v);
// Moves the reverser when it is free; a change plays its sound.
void SetReverser(TrainState& t, const VehicleSpec& v, SoundChannels& sound, int position);

// Hold-back steps of an electric vehicle's suppress table; stepping up cuts power.
void suppressStepDown(TrainState& t);
void suppressStepUp(TrainState& t, const VehicleSpec& v);

// The constant-speed key: engages at full power above the minimum speed when
// the vehicle engages constant speed by key (first value 1).
void constSpeedKey(TrainState& t, const VehicleSpec& v);

// Pending flags after a handle action: all four for the combined handle, only
// power or only the brake commands for the separate handles.
void setAllPending(TrainState& t);
void setPowerPending(TrainState& t);
void setBrakePending(TrainState& t);

}  // namespace cab
