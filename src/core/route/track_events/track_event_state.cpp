#include "core/route/track_events/track_event_state.h"

#include <algorithm>

#include "core/route/track_events/traffic_lights.h"

namespace cab {

void startTrackEvents(TrackEventState& s, int cars, std::span<const TrafficSignalData> lights) {
  s = TrackEventState{};
  s.carGradient.assign(static_cast<std::size_t>(std::max(cars, 0)), Fixed4{});
  startTrafficLights(s, lights);
}

}  // namespace cab
