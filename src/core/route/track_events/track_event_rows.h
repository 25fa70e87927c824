#pragma once

#include <span>

#include "core/data/route_records.h"

namespace cab {

// The rows in use of the route's track-side tables.
struct TrackEventRows {
  std::span<const SlopeData> slopes;
  std::span<const TrafficSignalData> lights;
  std::span<const SignData> signs;
  std::span<const TimeData> times;
  std::span<const CrossData> crossings;
  std::span<const TunnelData> tunnels;
};

}  // namespace cab
