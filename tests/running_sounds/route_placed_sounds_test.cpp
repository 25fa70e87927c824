#include "core/route/running_sounds/route_placed_sounds.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/data/route_records.h"
#include "core/data/vehicle_spec.h"
#include "core/route/running_sounds/running_sound_state.h"
#include "core/vehicle/train_state.h"
#include "tests/running_sounds/channels_fixture.h"

namespace cab {
namespace {

using testing::mixerWithSounds;
using testing::playingChannels;
using testing::rateOf;

constexpr int RouteBase = 13;  // route sound k on channel 13 + k

PositionSoundData placed(int sound, int start, int end, int refSpeed, std::array<int, 5> options) {
  return {sound, start, end, refSpeed, options};
}

// Drives through the frames of `rows`, one tick a frame, and reports what
// each frame left behind.
struct PlacedRun {
  std::vector<PositionSoundData> rows;
  std::unique_ptr<SoundMixer> mixer = mixerWithSounds();
  RunningSoundState s;
  TrainState t;

  explicit PlacedRun(std::vector<PositionSoundData> r) : rows(std::move(r)) { s.clearDoneFlags(rows.size(), 0); }
  void at(int frame) {
    t.frame = frame;
    s.attenFactor = 1;
    routePlacedSounds(rows, t, RouteBase, s, *mixer);
  }
};

// A loop with fades starts at its first frame and rises over 30 frames from
// a factor of 0.1 to 0.957; it falls likewise over the 30 frames before its
// end and stops after it. With the level switch on, the factor sets the
// volume on a scale of 50 dB a decade.
TEST(RoutePlacedSounds, AFadingLoopRisesAndFallsOverThirtyFrames) {
  PlacedRun run({placed(2, 100, 400, 60, {1, 0, 1, 0, 1})});
  run.t.speed = 60;
  const int channel = RouteBase + 2;
  struct Case {
    int frame;
    long double atten;
    int volume;
    bool playing;
  };
  const std::vector<Case> cases{
      {99, 1, 0, false},       {100, 0.1, -5000, true},  {115, 0.495, -1527, true},
      {129, 0.957, -95, true}, {130, 1, 0, true},        {371, 0.957, -95, true},
      {399, 0.1, -5000, true}, {400, 0.1, -5000, false}, {431, 1, -5000, false},
  };
  for (const Case& c : cases) {
    run.at(c.frame);
    EXPECT_NEAR(double(run.s.attenFactor), double(c.atten), 1e-9) << c.frame;
    EXPECT_EQ(run.mixer->isPlaying(channel), c.playing) << c.frame;
    EXPECT_EQ(run.mixer->volume(channel), c.volume) << c.frame;
  }
}

// A loop plays once per pass: stopped past its end, it does not start again
// until the flags are cleared.
TEST(RoutePlacedSounds, ALoopStartsOncePerPass) {
  PlacedRun run({placed(0, 100, 200, 60, {1, 0, 0, 0, 0})});
  run.t.speed = 30;
  run.at(105);
  EXPECT_TRUE(run.mixer->isLooping(RouteBase));
  run.mixer->stop(RouteBase);
  run.at(106);
  EXPECT_FALSE(run.mixer->isPlaying(RouteBase));
  run.s.clearDoneFlags(1, 0);
  run.at(107);
  EXPECT_TRUE(run.mixer->isLooping(RouteBase));
}

// Pitch follows the speed against the reference speed (o2); below 1 km/h
// within the row's frames the sound is silenced.
TEST(RoutePlacedSounds, PitchFollowsTheSpeedAndStandingSilences) {
  PlacedRun run({placed(1, 100, 400, 60, {0, 1, 0, 0, 0})});
  run.t.speed = 30;
  run.at(110);
  EXPECT_TRUE(run.mixer->isPlaying(RouteBase + 1));
  EXPECT_FALSE(run.mixer->isLooping(RouteBase + 1));  // a one shot
  EXPECT_NEAR(rateOf(*run.mixer, RouteBase + 1), 0.5, 1e-4);
  EXPECT_EQ(run.mixer->volume(RouteBase + 1), 0);
  run.t.speed = 0.5;
  run.at(111);
  EXPECT_EQ(run.mixer->volume(RouteBase + 1), -10000);
}

// A one shot restarts only once in its first 30 frames.
TEST(RoutePlacedSounds, AOneShotPlaysOnceInItsWindow) {
  PlacedRun run({placed(3, 100, 400, 60, {0, 0, 0, 0, 0})});
  run.t.speed = 30;
  run.at(95);
  EXPECT_FALSE(run.mixer->isPlaying(RouteBase + 3));
  run.at(100);
  EXPECT_TRUE(run.mixer->isPlaying(RouteBase + 3));
  run.mixer->stop(RouteBase + 3);
  run.at(101);
  EXPECT_FALSE(run.mixer->isPlaying(RouteBase + 3));
}

// The speed-triggered kind (o4) plays once inside its frames when the train
// passes at no more than the reference speed.
TEST(RoutePlacedSounds, ASpeedTriggeredSoundWaitsForASlowPassage) {
  PlacedRun run({placed(4, 100, 400, 40, {0, 0, 0, 1, 0})});
  run.t.speed = 41;
  run.at(200);
  EXPECT_FALSE(run.mixer->isPlaying(RouteBase + 4));
  run.t.speed = 40.4;
  run.at(201);
  EXPECT_TRUE(run.mixer->isPlaying(RouteBase + 4));
  run.mixer->stop(RouteBase + 4);
  run.at(202);
  EXPECT_FALSE(run.mixer->isPlaying(RouteBase + 4));
}

TEST(AttenuationZones, TheLastZoneHoldingTheFrameWins) {
  const std::vector<AttenData> zones{{100, 300, 0, 40}, {200, 250, 0, 70}};
  RunningSoundState s;
  for (const auto& [frame, factor] :
       std::vector<std::pair<int, long double>>{{100, 1}, {150, 0.4}, {220, 0.7}, {250, 0.4}, {300, 1}}) {
    attenuationZones(zones, frame, s);
    EXPECT_NEAR(double(s.attenFactor), double(factor), 1e-12) << frame;
  }
}

// Points play the first "[SwitchSound]" row of their type that is faster
// than the train, once per passage.
TEST(PointsSounds, TheFirstRowOfTheTypeAboveTheSpeedPlaysOnce) {
  const std::vector<SwitchData> points{{500, 1}};
  const std::vector<SwitchSoundRow> sounds{{20, 40, 0}, {21, 200, 0}, {22, 40, 1}, {23, 200, 1}};
  for (const auto& [speed, channel] : std::vector<std::pair<long double, int>>{{30, 22}, {60, 23}, {250, -1}}) {
    auto mixer = mixerWithSounds();
    RunningSoundState s;
    s.clearDoneFlags(0, 1);
    TrainState t;
    t.speed = speed;
    t.frame = 489;
    pointsSounds(points, sounds, t, s, *mixer);
    EXPECT_TRUE(playingChannels(*mixer).empty());
    t.frame = 491;
    pointsSounds(points, sounds, t, s, *mixer);
    EXPECT_EQ(playingChannels(*mixer), channel < 0 ? std::vector<int>{} : std::vector<int>{channel}) << speed;
    EXPECT_TRUE(s.switchSoundStarted[0]);
    if (channel >= 0) mixer->stop(channel);
    t.frame = 495;
    pointsSounds(points, sounds, t, s, *mixer);
    EXPECT_TRUE(playingChannels(*mixer).empty());
  }
}

struct DopplerRun {
  explicit DopplerRun(std::vector<DopplerData> r) : rows(std::move(r)) {}

  std::vector<DopplerData> rows;
  std::vector<bool> departed = std::vector<bool>(4, false);
  std::unique_ptr<SoundMixer> mixer = mixerWithSounds();
  TrainState t;

  void at(long double position) {
    t.position = position;
    dopplerSounds(rows, t, departed, RouteBase, *mixer);
  }
};

DopplerData source(int sound, int position, int range, int fixedPitch = 0, int condition = 0) {
  DopplerData d;
  d.sound = sound;
  d.positionDistance = position;
  d.range = range;
  d.fixedPitch = fixedPitch;
  d.condition = condition;
  return d;
}

// Passed at 120 km/h, a source sounds about 1220 / 1100 of its rate well
// before it and 1220 / 1340 well after, its volume falling with the distance.
TEST(DopplerSounds, APassedSourceShiftsItsPitchAndFadesWithDistance) {
  DopplerRun run({source(5, 100000, 50000)});
  run.t.speed = 120;
  const int channel = RouteBase + 5;
  run.at(49000);  // out of range
  EXPECT_FALSE(run.mixer->isPlaying(channel));
  run.at(70000);
  EXPECT_TRUE(run.mixer->isLooping(channel));
  EXPECT_NEAR(rateOf(*run.mixer, channel), 1220.0 / 1100, 2e-3);
  EXPECT_EQ(run.mixer->volume(channel), -796);  // 2000 log10(0.4)
  run.at(125000);
  EXPECT_NEAR(rateOf(*run.mixer, channel), 1220.0 / 1340, 2e-3);
  EXPECT_EQ(run.mixer->volume(channel), -602);  // 2000 log10(0.5)
  run.at(160000);                               // beyond every range: all stop
  EXPECT_FALSE(run.mixer->isPlaying(channel));
}

TEST(DopplerSounds, AFixedPitchOrAWaitingSourceAndOthersInRange) {
  DopplerRun run({source(1, 10000, 5000, 1), source(2, 30000, 5000, 0, 2), source(3, 50000, 5000)});
  run.t.speed = 60;
  run.mixer->setFrequency(RouteBase + 1, 30000);
  run.at(9000);
  EXPECT_TRUE(run.mixer->isPlaying(RouteBase + 1));
  EXPECT_EQ(run.mixer->frequency(RouteBase + 1), 30000);  // its pitch is left alone
  run.at(30000);
  EXPECT_FALSE(run.mixer->isPlaying(RouteBase + 2));  // station 2 has not departed
  EXPECT_TRUE(run.mixer->isPlaying(RouteBase + 1));   // another row in range: the others are left as they are
  run.departed[2] = true;
  run.at(30000);
  EXPECT_TRUE(run.mixer->isPlaying(RouteBase + 2));
  EXPECT_EQ(run.mixer->volume(RouteBase + 2), 0);  // at the source itself
}

}  // namespace
}  // namespace cab
