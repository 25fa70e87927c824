#include "core/route/running_sounds/held_key_sounds.h"

#include <gtest/gtest.h>

#include "core/data/vehicle_spec.h"
#include "core/vehicle/train_state.h"
#include "tests/running_sounds/channels_fixture.h"

namespace cab {
namespace {

using testing::mixerWithSounds;
using testing::playingChannels;

constexpr int Start = 1, Body1 = 2, Body2 = 3, End = 4, Interval = 15;

VehicleSpec hornCar() {
  VehicleSpec v;
  v.Sound_Horn4 = {Start, Body1, Body2, End, Interval};
  v.Sound_Horn4Air = 3;
  v.Sound_Horn2 = {11, 12, 13, 14, 30};
  v.Sound_Horn2Air = 5;
  v.Sound_Hasten = {20, 21};
  return v;
}

// Held, the horn starts, then its two body parts take turns, each once the
// part before has sounded for the interval; let go, the end part follows
// once the part sounding is due. (The parts here sound until stopped.)
TEST(HeldHorns, PartsFollowEachOtherByTheInterval) {
  const VehicleSpec v = hornCar();
  auto mixer = mixerWithSounds();
  HornState s;
  const HeldSoundKeys held{true, false, false};
  const auto frame = [&](int clock, const HeldSoundKeys& keys) { heldHorns(keys, v, clock, s, *mixer); };
  frame(100, held);
  EXPECT_EQ(playingChannels(*mixer), (std::vector<int>{Start}));
  EXPECT_EQ(s.hornMark, 100);
  frame(115, held);  // not yet due
  EXPECT_EQ(playingChannels(*mixer), (std::vector<int>{Start}));
  frame(116, held);
  EXPECT_EQ(playingChannels(*mixer), (std::vector<int>{Start, Body1}));
  frame(132, held);
  EXPECT_EQ(playingChannels(*mixer), (std::vector<int>{Start, Body1, Body2}));
  mixer->stop(Start);
  mixer->stop(Body1);  // the first body part has ended
  frame(148, held);
  EXPECT_EQ(playingChannels(*mixer), (std::vector<int>{Body1, Body2}));
  EXPECT_EQ(s.hornMark, 148);

  frame(160, {});  // released before the part is due: nothing yet
  EXPECT_FALSE(mixer->isPlaying(End));
  frame(164, {});
  EXPECT_TRUE(mixer->isPlaying(End));
  EXPECT_TRUE(mixer->isPlaying(Body1) && mixer->isPlaying(Body2));  // left to finish
}

TEST(HeldHorns, TheSecondHornHasItsOwnPartsAndAVehicleWithoutThemNone) {
  auto mixer = mixerWithSounds();
  HornState s;
  heldHorns({false, true, false}, hornCar(), 10, s, *mixer);
  EXPECT_EQ(playingChannels(*mixer), (std::vector<int>{11}));
  auto quiet = mixerWithSounds();
  heldHorns({true, true, false}, VehicleSpec{}, 10, s, *quiet);
  EXPECT_TRUE(playingChannels(*quiet).empty());  // channel 0 is not a horn part
}

// A held horn draws its air from the main reservoir; the needle dips by
// half the use a frame down to about the use, and springs back once quiet.
TEST(HornAir, TheReservoirPaysAndTheNeedleSpringsBack) {
  const VehicleSpec v = hornCar();
  TrainState t;
  t.mrPressure = 800;
  HornState s;
  const HeldSoundKeys held{true, false, false};
  std::vector<double> drops;
  for (int i = 0; i < 4; ++i) {
    hornAir(held, v, t, s);
    drops.push_back(double(s.mrHornDrop));
  }
  EXPECT_EQ(drops, (std::vector<double>{-1.5, -3, -4.5, -4.5}));
  EXPECT_NEAR(double(t.mrPressure), 800 - 4 * 0.3, 1e-9);
  hornAir({}, v, t, s);
  EXPECT_NEAR(double(s.mrHornDrop), -3.5, 1e-9);  // back by the recovery step, 1
  EXPECT_NEAR(double(s.mrHornRecover), 0.4, 1e-9);
  hornAir({}, v, t, s);
  EXPECT_EQ(double(s.mrHornDrop), 0);  // the step ran out: settled
  EXPECT_EQ(s.mrHornRecover, 1);
  hornAir({}, v, t, s);
  EXPECT_EQ(s.mrHornRecover, 3);  // at rest the next recovery is one use

  hornAir({false, true, false}, v, t, s);  // the second horn uses its own air
  EXPECT_NEAR(double(s.mrHornDrop), -2.5, 1e-9);
  t.mrPressure = 1;  // an empty reservoir: the needle stops at 0
  hornAir({false, true, false}, v, t, s);
  EXPECT_NEAR(double(t.mrPressure + s.mrHornDrop), 0, 1e-9);
}

TEST(HastenChime, LoopsWhileHeldWithTheDoorsOpenAndEndsWithItsEndSound) {
  const VehicleSpec v = hornCar();
  auto mixer = mixerWithSounds();
  hastenChime(true, false, v, *mixer);
  EXPECT_TRUE(playingChannels(*mixer).empty());
  hastenChime(true, true, v, *mixer);
  EXPECT_TRUE(mixer->isLooping(20));
  hastenChime(false, true, v, *mixer);
  EXPECT_FALSE(mixer->isPlaying(20));
  EXPECT_TRUE(mixer->isPlaying(21));
  EXPECT_FALSE(mixer->isLooping(21));
}

}  // namespace
}  // namespace cab
