#include "core/route/running_sounds/brake_sounds.h"

#include <gtest/gtest.h>

#include "core/data/vehicle_spec.h"
#include "core/route/running_sounds/running_sound_state.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"
#include "tests/running_sounds/channels_fixture.h"

namespace cab {
namespace {

using testing::mixerWithSounds;

constexpr int Squeak = 5;

VehicleSpec squealingCar() {
  VehicleSpec v;
  v.Sound_squeak = Squeak;
  v.Lose_elec = {3, 5};
  return v;
}

// Loudest at low speed and high cylinder pressure: -500 × 500 × v / (L × B).
TEST(WheelSqueal, LoopsWhileTheAirBrakeHoldsAMovingTrain) {
  const VehicleSpec v = squealingCar();
  auto mixer = mixerWithSounds();
  TrainState t;
  t.bcTrailer = 300;
  t.speed = 20;
  wheelSqueal(t, v, *mixer);
  EXPECT_TRUE(mixer->isLooping(Squeak));
  EXPECT_EQ(mixer->volume(Squeak), -3333);
  t.speed = 6;
  wheelSqueal(t, v, *mixer);
  EXPECT_EQ(mixer->volume(Squeak), -1000);

  VehicleSpec withoutFade = v;
  withoutFade.Lose_elec[1] = 0;  // no fade-out speed: a fixed volume
  wheelSqueal(t, withoutFade, *mixer);
  EXPECT_EQ(mixer->volume(Squeak), -2000);

  t.elecBrakeCurrent = 100;  // the electric brake holds the train: no squeal starts
  mixer->stop(Squeak);
  wheelSqueal(t, v, *mixer);
  EXPECT_FALSE(mixer->isPlaying(Squeak));
}

// Released, the squeal dies away by 1 dB a tick; standing, by 10 dB; it
// stops once below -50 dB.
TEST(WheelSqueal, DiesAwayWhenReleasedOrStanding) {
  struct Case {
    long double bc, speed;
    int ticksToStop;
  };
  for (const Case& c : {Case{0, 20, 17}, Case{300, 0.5, 2}, Case{0, 0.5, 2}}) {
    const VehicleSpec v = squealingCar();
    auto mixer = mixerWithSounds();
    TrainState t;
    t.bcTrailer = 300;
    t.speed = 20;
    wheelSqueal(t, v, *mixer);  // -3333
    t.bcTrailer = c.bc;
    t.speed = c.speed;
    int ticks = 0;
    while (mixer->isPlaying(Squeak) && ticks < 100) {
      wheelSqueal(t, v, *mixer);
      ++ticks;
    }
    EXPECT_EQ(ticks, c.ticksToStop) << c.bc << " kPa at " << double(c.speed);
  }
}

struct BrakeCase {
  VehicleSpec v;
  RunningSoundState s;
  std::unique_ptr<SoundMixer> mixer = mixerWithSounds();
  TrainState t;

  explicit BrakeCase(int brakeType) {
    v.BrakeType = brakeType;
    v.Brake = brakeType == 0 ? 4 : 8;
    for (int k = 0; k < 11; ++k) {
      v.Sound_BK[std::size_t(k)] = {0, 10 + k};
      v.Sound_BR[std::size_t(k)] = {0, 21 + k};
    }
    v.Sound_BA[std::size_t(v.Brake)] = {0, 33};
    v.Sound_EB = {34, 50};
    v.Sound_Apply = {35, 36};
    t.emergencyBc = 480;
  }
  void tick(ProtectionFlags flags = {}) { brakeAirSounds(t, v, flags, s, *mixer); }
};

// The handle back at running with the cylinders charged plays the release
// sound of the step the command still holds, once.
TEST(BrakeAirSounds, ReleasePlaysOncePerRelease) {
  BrakeCase c(1);
  c.t.brakeHandle = 0;
  c.t.brakeCommand = -3;
  c.t.bcTrailer = 200;
  c.tick();
  EXPECT_TRUE(c.mixer->isPlaying(12));  // second channel of row 3
  c.mixer->stop(12);
  c.tick();
  EXPECT_FALSE(c.mixer->isPlaying(12));  // latched
  c.t.bcTrailer = 0;
  c.tick();  // released: the latch opens
  c.t.bcTrailer = 150;
  c.tick();
  EXPECT_TRUE(c.mixer->isPlaying(12));

  BrakeCase blocked(1);
  blocked.t = c.t;
  blocked.tick(ProtectionFlags{true, false, false});  // a protection brake holds the train
  EXPECT_FALSE(blocked.mixer->isPlaying(12));
}

// Easing the handle a step while the cylinders are more than 10 kPa above
// its share of the emergency pressure plays the release sound of the step
// below the handle.
TEST(BrakeAirSounds, EasingTheHandlePlaysItsStepsReleaseSound) {
  BrakeCase c(1);
  c.t.brakeHandle = -2;
  c.t.brakeCommand = -5;
  c.t.bcTrailer = 300;  // 480 × 2 / 8 = 120 < 290
  c.tick();
  EXPECT_TRUE(c.mixer->isPlaying(23));  // "[Sound_BR]" row 3, second channel
  BrakeCase near(1);
  near.t = c.t;
  near.t.bcTrailer = 125;  // within 10 kPa of 120
  near.tick();
  EXPECT_FALSE(near.mixer->isPlaying(23));
}

TEST(BrakeAirSounds, EmergencySoundsOncePerApplication) {
  BrakeCase c(1);
  c.t.bpPressure = 400;
  c.t.brakeHandle = -8;
  c.tick();
  EXPECT_TRUE(c.mixer->isPlaying(34));
  EXPECT_TRUE(c.mixer->isPlaying(33));  // "[Sound_BA]" row Brake + 1
  c.mixer->stop(34);
  c.tick();
  EXPECT_FALSE(c.mixer->isPlaying(34));
  c.t.brakeHandle = -3;
  c.tick();
  c.tick(ProtectionFlags{false, true, false});  // the vigilance device trips
  EXPECT_TRUE(c.mixer->isPlaying(34));

  // The electric-command brake sounds it only above the key's speed and
  // while the cylinders are below the emergency pressure.
  BrakeCase e(2);
  e.t.brakeHandle = -8;
  e.t.bcTrailer = 200;
  e.t.speed = 40;
  e.tick();
  EXPECT_FALSE(e.mixer->isPlaying(34));
  e.t.speed = 60;
  e.tick();
  EXPECT_TRUE(e.mixer->isPlaying(34));
}

// The automatic air brake: the brake-pipe exhaust in the apply position
// fades as the pipe empties; the pipe charges with the handle at release or
// running.
TEST(BrakeAirSounds, BrakePipeExhaustAndCharging) {
  struct Case {
    int command;
    long double bp, mr;
    int exhaust, charging;  // volumes; 1 means stopped
  };
  const std::vector<Case> cases{
      {-3, 50, 700, -602, 1},    // 2000 log10(0.5)
      {-3, 150, 700, 0, 1},      // above 100 kPa the exhaust is at full volume
      {-1, 300, 700, 1, 0},      // charging far from the main reservoir
      {-1, 460, 700, 1, -1046},  // nearly charged: 2000 log10(0.3)
      {0, 400, 420, 1, -1398},   // the main reservoir barely above: 2000 log10(0.2)
      {-2, 300, 700, 1, 1},      // lap: neither
  };
  for (const Case& k : cases) {
    BrakeCase c(0);
    c.t.brakeCommand = c.t.brakeHandle = k.command;
    c.t.bpPressure = k.bp;
    c.t.mrPressure = k.mr;
    c.tick();
    EXPECT_EQ(c.mixer->isPlaying(35), k.exhaust != 1) << k.command << " " << double(k.bp);
    if (k.exhaust != 1) {
      EXPECT_EQ(c.mixer->volume(35), k.exhaust) << double(k.bp);
    }
    EXPECT_EQ(c.mixer->isPlaying(36), k.charging != 1) << k.command << " " << double(k.bp);
    if (k.charging != 1) {
      EXPECT_EQ(c.mixer->volume(36), k.charging) << double(k.bp);
    }
  }
}

}  // namespace
}  // namespace cab
