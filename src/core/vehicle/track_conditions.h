#pragma once

#include <optional>

#include "core/data/route_positions.h"

namespace cab {

// What the route tells the physics step about the track under the train:
// the route's adhesion and tunnel resistance, and the gradient, tunnel and
// recorded stretch where the train is.
struct TrackConditions {
  long double gradient = 0;  // per mille averaged over the train length, + climbing
  bool inTunnel = false;
  long double friction = 0.3;               // base adhesion coefficient, "[Friction]"
  long double tunnelResistance = 0;         // "[TunnelR]": the resistance uses it divided by 10000
  std::optional<FilmSpeed> film;            // the recorded stretch here; unset keeps the last one
  int videoMode = 0;                        // the front-view video's switch state (1 while a switched movie plays)
};

}  // namespace cab
