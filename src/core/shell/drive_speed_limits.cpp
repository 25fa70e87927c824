// The speed limits ahead: the tick hands the approach the route's limit,
// check and movie-stop rows, the signals and the train.
#include "core/shell/drive_speed_limits.h"

#include "core/route/speed_limits/speed_limit_approach.h"
#include "core/shell/drive.h"

namespace cab {

bool speedLimitApproachStep(Drive& d) {
  const SpeedLimitRoute route{d.speedLimitRows(), d.speedCheck1Rows(), d.movieStops()};
  speedLimitApproach(d.train, route, d.signalState, d.speedLimits, d.operation.lamps, d.callouts);
  return true;
}

void startSpeedLimits(Drive& d) { startSpeedLimits(d.speedLimits, d.operation.lamps); }

}  // namespace cab
