#pragma once

#include <span>

#include "core/data/route_records.h"
#include "core/route/speed_limits/speed_limit_state.h"

namespace cab {

struct CabLamps;
struct CalloutState;
struct SignalState;
struct TrainState;

// The route rows the approach reads: the "[SpeedLimit]" and "[SpeedCheck1]"
// rows in use and the "[MovieStop]" frames.
struct SpeedLimitRoute {
  std::span<const SpeedLimitData> limits;
  std::span<const SpeedCheckData> checks;
  std::span<const int> movieStops;
};

inline constexpr int NoMovieStop = 999999;

// The first movie stop beyond `frame`; NoMovieStop when there is none.
int nextMovieStop(std::span<const int> movieStops, int frame);

// The distance (cm) needed to slow from `speed` to `limit`: (v² − u²) / 21.6
// + v metres rounded to whole metres, or 2 m per km/h when the train already
// runs at or below the limit.
int brakingDistance(int limit, long double speed);

// The entries of the next three limits ahead; none when the next one lies
// beyond the next movie stop.
void findLimitEntries(const TrainState& t, const SpeedLimitRoute& route, SpeedLimitState& s);
// The entries of the next three speed checks ahead; a check linked to a
// signal counts only while that signal shows stop.
void findCheckEntries(const TrainState& t, std::span<const SpeedCheckData> checks, const SignalState& signals,
                      SpeedLimitState& s);

// One tick of the limits ahead and the limit sign: the approach sign
// (blinking) once the train is within braking distance of the next limit,
// the section's sign inside a limit, the end sign for 200 frames after its
// end, and what the information lines tell.
void speedLimitApproach(const TrainState& t, const SpeedLimitRoute& route, const SignalState& signals,
                        SpeedLimitState& s, CabLamps& lamps, CalloutState& callouts);

// The sign state at the start of a drive: nothing shown, the sprite visible
// as the route file created it.
void startSpeedLimits(SpeedLimitState& s, CabLamps& lamps);

}  // namespace cab
