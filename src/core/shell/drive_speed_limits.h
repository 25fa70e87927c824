#pragma once

namespace cab {

class Drive;

// The drive's side of the speed limits ahead: the tick step and the start of a drive.
bool speedLimitApproachStep(Drive& d);
void startSpeedLimits(Drive& d);

}  // namespace cab
