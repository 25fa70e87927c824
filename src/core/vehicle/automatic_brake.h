#pragma once

namespace cab {

struct BrakeStep;

// The automatic air brake ("[BrakeType]" 0): the handle's named positions
// act on the equalising reservoir and the brake pipe; the cylinders follow
// the brake-pipe reduction.
void updateAutomaticBrake(const BrakeStep& s);

}  // namespace cab
