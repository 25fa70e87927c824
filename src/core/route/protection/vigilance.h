#pragma once

namespace cab {

struct ProtectionContext;
struct ProtectionState;
struct TrainState;

// The vigilance device (tick step 26) while `ebFitted` ("[EB]") is 1: running
// above 1 km/h without any control input for 60 s sounds the buzzer and
// lights its lamp, 5 s more trip the emergency brake, which the brake handle
// at the emergency position releases. Automatic running and the speed hold
// switch the device off for the rest of the drive.
void vigilanceDevice(TrainState& t, int& ebFitted, ProtectionState& p, const ProtectionContext& c);

// A driver's control input: restarts the vigilance count and silences the
// warning, unless the device has tripped.
void vigilanceInput(ProtectionState& p, const ProtectionContext& c);

}  // namespace cab
