#include "core/route/track_events/traffic_lights.h"

#include <cstdlib>

#include "core/common/rounding.h"
#include "core/route/track_events/track_event_state.h"

namespace cab {

namespace {

constexpr int PhaseCount = 6;

const TrafficSignalPhase& phaseOf(const TrafficSignalData& light, const TrafficLightClock& c) {
  return light.phases[static_cast<std::size_t>(c.phase - 1)];
}

void runPhaseClock(const TrafficSignalData& light, TrafficLightClock& c) {
  int& left = c.countdown[static_cast<std::size_t>(c.phase - 1)];
  left -= 1;
  if (left > 0) return;
  left = phaseOf(light, c).duration;
  c.phase = c.phase % PhaseCount + 1;
  c.countdown[static_cast<std::size_t>(c.phase - 1)] = phaseOf(light, c).duration;
}

// The picture of the light being approached; a change to a phase that lets
// the train go is announced.
void approach(TrackEventState& s, const TrafficSignalData& light, const TrafficLightClock& c, int frame,
              long double position, const TrafficLightTexts& texts) {
  const long double midway = (static_cast<long double>(light.positionDistance) + light.lineDistance) / 2;
  if (position > midway && frame <= light.viewEndFrame) {
    if (phaseOf(light, c).stop == 1) {
      s.lightImageNow = light.imageB;
    } else {
      s.lightImageNow = light.imageA;
      if (s.lightImageNow != s.lightImageShown) texts.tcText = texts.changedLabel;
    }
    s.lightImageShown = s.lightImageNow;
  }
  if (std::abs(light.endFrame - frame) < 15) s.lightImageNow = s.lightImageShown = TrackEventState::NoPicture;
  if (std::abs(light.viewEndFrame - frame) < 15 && light.lineFrame != 0) texts.tcText.clear();
}

std::string metres(const std::string& label, long double cm) {
  return label + " " + std::to_string(Round(cm / 100)) + "m";
}

// The stop line of a light without a flag is named and the scan goes on;
// the first other light near ahead ends it, named while it lets the train go.
void distanceText(const TrackEventState& s, std::span<const TrafficSignalData> lights, long double position,
                  const TrafficLightTexts& texts) {
  bool named = false;
  for (std::size_t i = 0; i < lights.size(); ++i) {
    const TrafficSignalData& light = lights[i];
    const long double toLine = light.lineDistance - position;
    if (light.flag == 0 && toLine > 0 && toLine < 9900) {
      texts.label8Text = metres(texts.stopsLabels[0], toLine);
      named = true;
      continue;
    }
    const long double toLight = light.positionDistance - position;
    if (toLight > -500 && toLight < 9900) {
      if (phaseOf(light, s.lights[i]).stop == 0) {
        texts.label8Text = metres(texts.stopsLabels[1], toLight);
        named = true;
      }
      break;
    }
  }
  if (!named) texts.label8Text.clear();
}

}  // namespace

void startTrafficLights(TrackEventState& s, std::span<const TrafficSignalData> lights) {
  s.lights.assign(lights.size(), TrafficLightClock{});
  for (std::size_t i = 0; i < lights.size(); ++i) s.lights[i].countdown[0] = lights[i].phases[0].duration;
}

void updateTrafficLights(TrackEventState& s, std::span<const TrafficSignalData> lights, int frame, long double position,
                         const TrafficLightTexts& texts) {
  if (s.lights.size() != lights.size()) startTrafficLights(s, lights);
  for (std::size_t i = 0; i < lights.size(); ++i) {
    runPhaseClock(lights[i], s.lights[i]);
    approach(s, lights[i], s.lights[i], frame, position, texts);
  }
  if (!lights.empty()) distanceText(s, lights, position, texts);
}

bool trafficLightInRange(std::span<const TrafficSignalData> lights, int frame) {
  for (const TrafficSignalData& light : lights)
    if (light.startFrame < frame && frame < light.endFrame) return true;
  return false;
}

}  // namespace cab
