#pragma once

namespace cab {

struct BrakeStep;

// The electro-pneumatic ("[BrakeType]" 1, with straight-air and brake pipe)
// and electric-command ("[BrakeType]" 2) brakes: numbered service steps set
// a cylinder target, blended with the electric brake as "[BrakeType2]" says.
void updateElectroPneumaticBrake(const BrakeStep& s);

}  // namespace cab
