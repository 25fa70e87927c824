#include "core/route/track_events/traffic_lights.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/route/track_events/track_event_state.h"

namespace cab {
namespace {

// A light at 100 m with its stop line at 90 m, seen up to frame 500, passed
// at frame 600; phase k lasts `durations[k - 1]` ticks, phases 2 and 3 stop the train.
TrafficSignalData light(std::array<int, 6> durations = {100, 100, 100, 100, 100, 100}, int flag = 1) {
  TrafficSignalData l;
  l.positionFrame = 550, l.startFrame = 100, l.endFrame = 600;
  for (std::size_t k = 0; k < 6; ++k) l.phases[k] = {static_cast<int>(k), durations[k], k == 1 || k == 2 ? 1 : 0};
  l.lineFrame = 520, l.viewEndFrame = 500;
  l.imageA = 0, l.imageB = 2, l.flag = flag;
  l.positionDistance = 10000, l.lineDistance = 9000;
  return l;
}

struct Texts {
  std::string label8, tc;
  std::string changed = "信号が変わりました";
  std::array<std::string, 2> stops{"停止線まで", "信号機まで"};
  TrafficLightTexts refs() { return {label8, tc, changed, stops}; }
};

TEST(TrafficLights, PhasesRunForTheirDurationsAndWrapAround) {
  const std::vector<TrafficSignalData> lights{light({3, 2, 1, 1, 1, 1})};
  TrackEventState s;
  startTrackEvents(s, 1, lights);
  EXPECT_EQ(s.lights[0].phase, 1);
  EXPECT_EQ(s.lights[0].countdown[0], 3);
  EXPECT_EQ(s.lights[0].countdown[1], 0);  // loaded when the phase begins
  Texts t;
  std::vector<int> phases;
  for (int tick = 0; tick < 12; ++tick) {
    updateTrafficLights(s, lights, 0, 0, t.refs());
    phases.push_back(s.lights[0].phase);
  }
  EXPECT_EQ(phases, (std::vector<int>{1, 1, 2, 2, 3, 4, 5, 6, 1, 1, 1, 2}));
}

TEST(TrafficLights, TheLightApproachedPicksItsPictureAndAnnouncesAGo) {
  // Phase 1 (go) for three ticks, phases 2 and 3 (stop) for two and none, then phase 4 (go).
  const std::vector<TrafficSignalData> lights{light({3, 2, 0, 100, 100, 100})};
  TrackEventState s;
  startTrackEvents(s, 1, lights);
  Texts t;
  updateTrafficLights(s, lights, 400, 9000, t.refs());  // not beyond halfway between line and light
  EXPECT_EQ(s.lightImageShown, TrackEventState::NoPicture);
  EXPECT_EQ(t.tc, "");
  updateTrafficLights(s, lights, 400, 9600, t.refs());  // go: picture A, announced
  EXPECT_EQ(s.lightImageNow, 0);
  EXPECT_EQ(s.lightImageShown, 0);
  EXPECT_EQ(t.tc, t.changed);
  t.tc.clear();
  for (int tick = 0; tick < 3; ++tick) {  // phases 2 and 3 stop: picture B, no text
    updateTrafficLights(s, lights, 400, 9600, t.refs());
    EXPECT_EQ(s.lightImageShown, 2);
    EXPECT_EQ(t.tc, "");
  }
  updateTrafficLights(s, lights, 400, 9600, t.refs());  // go again: announced
  EXPECT_EQ(s.lights[0].phase, 4);
  EXPECT_EQ(s.lightImageShown, 0);
  EXPECT_EQ(t.tc, t.changed);
  updateTrafficLights(s, lights, 490, 9800, t.refs());  // near the end of the view: the text goes
  EXPECT_EQ(t.tc, "");
  updateTrafficLights(s, lights, 590, 9900, t.refs());  // passing the light: no picture
  EXPECT_EQ(s.lightImageNow, TrackEventState::NoPicture);
  EXPECT_EQ(s.lightImageShown, TrackEventState::NoPicture);
}

TEST(TrafficLights, DistanceTextNamesTheStopLineOrTheLightAhead) {
  const auto go = light();                                // phase 1: go
  const auto stop = light({1, 100, 100, 100, 100, 100});  // phase 2 after the first tick
  auto lineOnly = light();
  lineOnly.flag = 0;
  auto far = light();
  far.positionDistance = 30000, far.lineDistance = 29000;
  const struct {
    const char* what;
    std::vector<TrafficSignalData> lights;
    long double position;
    std::string text;
  } cases[] = {
      {"the light ahead lets the train go", {go}, 7000, "信号機まで 30m"},
      {"ties to even, down", {go}, 4950, "信号機まで 50m"},
      {"ties to even, up", {go}, 5050, "信号機まで 50m"},
      {"just passed", {go}, 10400, "信号機まで -4m"},
      {"a stop ends the scan without a text", {stop}, 6950, ""},
      {"a light without a flag names its stop line", {lineOnly}, 3950, "停止線まで 50m"},
      {"beyond its stop line it is named as a light", {lineOnly}, 9500, "信号機まで 5m"},
      {"the last text of the scan stands", {lineOnly, far}, 3950, "停止線まで 50m"},
      {"a stop line first, then the next light", {lineOnly, go}, 6950, "信号機まで 30m"},
      {"a stopping light ends the scan before the next", {stop, go}, 6950, ""},
      {"too far ahead", {far}, 6950, ""},
  };
  for (const auto& c : cases) {
    TrackEventState s;
    startTrackEvents(s, 1, c.lights);
    Texts t;
    t.label8 = "old";
    updateTrafficLights(s, c.lights, 0, c.position, t.refs());
    EXPECT_EQ(t.label8, c.text) << c.what;
  }
}

TEST(TrafficLights, NoLightsLeaveTheTextAlone) {
  TrackEventState s;
  Texts t;
  t.label8 = "kept";
  updateTrafficLights(s, {}, 0, 0, t.refs());
  EXPECT_EQ(t.label8, "kept");
}

TEST(TrafficLights, InRangeBetweenStartAndEndFrames) {
  const std::vector<TrafficSignalData> lights{light()};
  EXPECT_FALSE(trafficLightInRange(lights, 100));
  EXPECT_TRUE(trafficLightInRange(lights, 101));
  EXPECT_TRUE(trafficLightInRange(lights, 599));
  EXPECT_FALSE(trafficLightInRange(lights, 600));
}

}  // namespace
}  // namespace cab
