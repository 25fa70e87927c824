#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;
struct ProtectionFlags;

// Whether the door interlock lets the train take power: doors closed or no
// interlock ("[DoorLock]" 0); a lock value other than 0 and 1 never does.
bool doorRuleAllowsTraction(const TrainState& t, const VehicleSpec& v);

// The tractive force in N of the effective notch at the present speed, by
// notch curves, resistor-step current or the diesel's gear table, signed by
// the reverser. 0 whenever traction is cut (top speed, doors, engine,
// protection brake). A term whose divisor the vehicle data leaves at 0 adds
// nothing.
long double tractionForce(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags);

// Notching up of the resistor-step table: advances one step once the step's
// delay has run.
void updateResistorStep(TrainState& t, const VehicleSpec& v, int frameMs);

}  // namespace cab
