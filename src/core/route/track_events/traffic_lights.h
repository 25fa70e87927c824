#pragma once

#include <array>
#include <span>
#include <string>

#include "core/data/route_records.h"

namespace cab {

struct TrackEventState;

// The texts the road traffic lights write (shown by the information
// labels or on the video) and the settings' labels they are made from.
struct TrafficLightTexts {
  std::string& label8Text;                        // the distance to a light's stop line or to the light
  std::string& tcText;                            // the light has changed its picture
  const std::string& changedLabel;                // "[TC]"
  const std::array<std::string, 2>& stopsLabels;  // "[Stops]": before the stop line, before the light
};

// Every light in phase 1 with that phase's time to run; the other phases'
// countdowns are loaded as they begin.
void startTrafficLights(TrackEventState& s, std::span<const TrafficSignalData> lights);

// The traffic-light step: each light's phase clock runs on, the light
// approached picks its picture, and the distance text names the stop line or
// the light ahead. `frame` is the video frame, `position` the train's in cm.
void updateTrafficLights(TrackEventState& s, std::span<const TrafficSignalData> lights, int frame, long double position,
                         const TrafficLightTexts& texts);

// Whether the train is in the range of any light (startFrame < frame < endFrame).
bool trafficLightInRange(std::span<const TrafficSignalData> lights, int frame);

}  // namespace cab
