#include "core/route/running_sounds/rail_noise.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/route/running_sounds/running_sound_state.h"
#include "core/vehicle/train_state.h"
#include "tests/running_sounds/channels_fixture.h"

namespace cab {
namespace {

using testing::mixerWithSounds;
using testing::playingChannels;

// A speed reached from a standstill in steps of 10 km/h, the channels then
// sounding, and the volumes of the two bands that cross-fade.
struct RailCase {
  long double speed;
  std::vector<int> playing;
  int lowerBand, lowerVolume;
  int upperBand, upperVolume;
};

// The two bands around the speed loop; the ones beyond are stopped. Channel
// 0, the standing noise, is never stopped by the rail noise.
TEST(RailNoise, TheTwoBandsAroundTheSpeedCrossFade) {
  const std::vector<RailCase> cases{
      {57, {0, 5, 6}, 5, -1046, 6, -310},  // 2000 log10(0.3) and 2000 log10(0.7)
      {-57, {0, 5, 6}, 5, -1046, 6, -310},
      {60, {0, 6, 7}, 6, 0, 7, -4000},  // on a band's lower edge the band above is at its floor
      {15, {0, 1, 2}, 1, -602, 2, -602},
      {119, {0, 11, 12}, 11, -2000, 12, -92},
  };
  for (const RailCase& c : cases) {
    auto mixer = mixerWithSounds();
    RunningSoundState s;
    TrainState t;
    railNoise(t, s, *mixer);  // standing: bands 0 and 1
    for (long double v = 10; v < std::fabs(c.speed); v += 10) {
      t.speed = v;
      railNoise(t, s, *mixer);
    }
    t.speed = c.speed;
    railNoise(t, s, *mixer);
    EXPECT_EQ(playingChannels(*mixer), c.playing) << c.speed;
    EXPECT_EQ(mixer->volume(c.lowerBand), c.lowerVolume) << c.speed;
    EXPECT_EQ(mixer->volume(c.upperBand), c.upperVolume) << c.speed;
  }
}

TEST(RailNoise, StandingLoopsTheFirstTwoBandsWithTheSecondAtItsFloor) {
  auto mixer = mixerWithSounds();
  mixer->setVolume(0, -700);
  RunningSoundState s;
  TrainState t;
  railNoise(t, s, *mixer);
  EXPECT_EQ(playingChannels(*mixer), (std::vector<int>{0, 1}));
  EXPECT_TRUE(mixer->isLooping(0) && mixer->isLooping(1));
  EXPECT_EQ(mixer->volume(1), -4000);
  EXPECT_EQ(mixer->volume(0), -700);  // the standing noise keeps its own volume
  EXPECT_EQ(s.railFadeIn, 1);         // a weight of 0 counts as 1
}

TEST(RailNoise, AboveTheTopBandOnlyStartsItAtFullVolume) {
  auto mixer = mixerWithSounds();
  RunningSoundState s;
  TrainState t;
  t.speed = 125;
  railNoise(t, s, *mixer);
  EXPECT_EQ(playingChannels(*mixer), (std::vector<int>{12}));
  EXPECT_EQ(mixer->volume(12), 0);
  mixer->setVolume(12, -500);
  railNoise(t, s, *mixer);  // already sounding: left alone
  EXPECT_EQ(mixer->volume(12), -500);
}

}  // namespace
}  // namespace cab
