#include "core/route/running_sounds/motor_sounds.h"

#include <gtest/gtest.h>

#include "core/data/vehicle_spec.h"
#include "core/route/running_sounds/running_sound_state.h"
#include "core/sound/sound_bank.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"
#include "tests/running_sounds/channels_fixture.h"

namespace cab {
namespace {

using testing::mixerWithSounds;
using testing::rateOf;

// Thirteen vehicle sounds and two route sounds come first: the engine
// tables start at channel 15.
constexpr int EngineBase = 15;

SoundBank bankFor(const VehicleSpec& v) {
  SoundBank b;
  b.driveWaves.resize(13);
  b.envWaves.resize(2);
  b.engineWaves1.resize(std::size_t(v.EngineSound1Count));
  b.engineWaves3.resize(std::size_t(v.EngineSound3Count));
  b.engineGain1.assign(b.engineWaves1.size(), {1, 1});
  b.engineGain3.assign(b.engineWaves3.size(), {1, 1});
  return b;
}

MotorSoundData motorRow(int kagen, std::array<long double, 4> volumes = {100, 100, 100, 100}) {
  MotorSoundData r;
  r.kagen = kagen;
  r.Speed1 = 0, r.Speed2 = 20, r.Speed3 = 50, r.Speed4 = 100;
  r.Rate1 = 0.5, r.Rate2 = 1.0, r.Rate3 = 1.5, r.Rate4 = 2.0;
  r.Volume1 = volumes[0], r.Volume2 = volumes[1], r.Volume3 = volumes[2], r.Volume4 = volumes[3];
  return r;
}

struct ElectricCar {
  VehicleSpec v;
  SoundBank bank;
  RunningSoundState s;
  std::unique_ptr<SoundMixer> mixer = mixerWithSounds();
  TrainState t;

  explicit ElectricCar(std::vector<MotorSoundData> rows) {
    v.Engine_Type = 1;
    v.Brake = 8;
    for (std::size_t r = 0; r < rows.size(); ++r) v.EngineSound1[r] = rows[r];
    v.EngineSound1Count = int(rows.size());
    bank = bankFor(v);
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) electricMotorSounds(t, v, ProtectionFlags{}, bank, s, *mixer);
  }
};

// The pitch runs linearly between the row's points; at full volume, full
// fade and full master level the row plays at 0 dB.
TEST(ElectricMotorSounds, PitchRisesWithSpeedBetweenTheRowsPoints) {
  struct Case {
    long double speed, rate;
  };
  for (const Case& c :
       {Case{10, 0.75}, Case{20, 1.0}, Case{35, 1.25}, Case{75, 1.75}, Case{-75, 1.75}, Case{100, 2.0}}) {
    ElectricCar car({motorRow(0)});
    car.t.powerNotch = 1;
    car.t.speed = c.speed;
    car.ticks(5);  // the master level climbs 20 a tick to its cap of 100
    EXPECT_EQ(car.s.motorMaster, 100);
    EXPECT_NEAR(rateOf(*car.mixer, EngineBase), c.rate, 1e-4) << c.speed;
    EXPECT_EQ(car.mixer->volume(EngineBase), 0) << c.speed;
    EXPECT_TRUE(car.mixer->isLooping(EngineBase));
  }
}

TEST(ElectricMotorSounds, OutsideItsPointsARowKeepsItsPitchAndFallsSilent) {
  ElectricCar car({motorRow(0)});
  car.t.powerNotch = 1;
  car.t.speed = 35;
  car.ticks(5);
  car.t.speed = 120;  // beyond the last point
  car.ticks(1);
  EXPECT_NEAR(rateOf(*car.mixer, EngineBase), 1.25, 1e-4);
  EXPECT_EQ(car.mixer->volume(EngineBase), -10000);
  EXPECT_TRUE(car.mixer->isPlaying(EngineBase));
}

TEST(ElectricMotorSounds, AQuietRowIsSilentButLoops) {
  ElectricCar car({motorRow(0, {1, 1, 1, 1})});
  car.t.powerNotch = 1;
  car.t.speed = 35;
  car.ticks(5);
  EXPECT_EQ(car.mixer->volume(EngineBase), -10000);
  EXPECT_TRUE(car.mixer->isLooping(EngineBase));
}

// Taking off power fades the traction row by 10 a tick down to 10, where it
// goes on looping silently; a row never active is never started.
TEST(ElectricMotorSounds, RowsFadeByTheirKindOfRunning) {
  ElectricCar car({motorRow(0), motorRow(1)});
  car.t.powerNotch = 1;
  car.t.speed = 35;
  car.ticks(5);
  EXPECT_FALSE(car.mixer->isPlaying(EngineBase + 1));  // braking row: fade 1
  car.t.powerNotch = 0;
  car.ticks(1);
  EXPECT_EQ(car.bank.engineGain1[0][1], 90);
  EXPECT_LT(car.mixer->volume(EngineBase), 0);
  car.ticks(20);
  EXPECT_EQ(car.bank.engineGain1[0][1], 10);
  EXPECT_EQ(car.mixer->volume(EngineBase), -10000);
  EXPECT_TRUE(car.mixer->isLooping(EngineBase));
  EXPECT_EQ(car.s.motorMaster, 10);  // fell by 10 a tick while above 15

  car.t.brakeCommand = -3;  // service braking
  car.ticks(1);
  EXPECT_EQ(car.bank.engineGain1[1][1], 100);
  EXPECT_TRUE(car.mixer->isLooping(EngineBase + 1));
  car.t.brakeCommand = -8;  // the emergency brake is no electric braking
  car.ticks(1);
  EXPECT_EQ(car.bank.engineGain1[1][1], 90);
}

// A row of kind 3 sounds whenever the emergency brake is off and ignores the
// master level; kind 2 follows it.
TEST(ElectricMotorSounds, KindThreeIgnoresTheMasterLevel) {
  ElectricCar car({motorRow(2), motorRow(3)});
  car.t.speed = 35;
  car.ticks(1);
  EXPECT_EQ(car.s.motorMaster, 1);                   // nothing is being driven
  EXPECT_EQ(car.mixer->volume(EngineBase), -10000);  // 1660 log10(0.01) is below -3000
  EXPECT_EQ(car.mixer->volume(EngineBase + 1), 0);   // master taken as 100
  EXPECT_TRUE(car.mixer->isLooping(EngineBase));
}

struct DieselCar {
  VehicleSpec v;
  SoundBank bank;
  RunningSoundState s;
  std::unique_ptr<SoundMixer> mixer = mixerWithSounds();
  TrainState t;
  int doorClosingTicks = 0;

  DieselCar() {
    v.Engine_Type = 0;
    v.Brake = 8;
    MotorSoundData engine;
    engine.kagen = -1;
    engine.Speed1 = 30, engine.Speed4 = 190;
    engine.Rate1 = 0.6, engine.Rate4 = 2.0;
    engine.Volume1 = 40, engine.Volume4 = 100;
    v.EngineSound1[0] = engine;
    v.EngineSound1Count = 1;
    HensokuSoundData gear;
    gear.kagen = 1;
    gear.gear = 1;
    gear.StartSpeed = 0, gear.EndSpeed = 30, gear.StartRate = 1.0, gear.EndRate = 1.3;
    gear.StartVolume = 80, gear.EndVolume = 50;
    v.EngineSound3[0] = gear;
    v.EngineSound3Count = 1;
    v.EngineSound2 = {30, 31, 0, 0};  // idle with the doors closed, with them open
    bank = bankFor(v);
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) dieselEngineSounds(t, v, doorClosingTicks, bank, s, *mixer);
  }
};

// Over the engine speed between the first and last points, and within
// 10 rpm beyond them the rate line goes on while the volume fades out.
TEST(DieselEngineSounds, EngineRowsFollowTheEngineSpeedWithFadeMargins) {
  struct Case {
    long double rpm, rate, volume;
  };
  for (const Case& c : {Case{110, 1.3, 70}, Case{25, 0.55625, 20}, Case{195, 2.04375, 50}, Case{30, 0.6, 40}}) {
    DieselCar car;
    car.t.engineRpm = c.rpm;
    car.ticks(1);
    EXPECT_NEAR(rateOf(*car.mixer, EngineBase), c.rate, 1e-4) << c.rpm;
    EXPECT_NEAR(double(car.bank.engineGain1[0][0]), c.volume, 1e-9) << c.rpm;
    EXPECT_TRUE(car.mixer->isLooping(EngineBase));
  }
  DieselCar car;
  car.t.engineRpm = 205;
  car.ticks(1);
  EXPECT_EQ(car.bank.engineGain1[0][0], 1);
}

TEST(DieselEngineSounds, TheMasterLevelFollowsPowerThroughTheClutch) {
  DieselCar car;
  car.t.engineRpm = 110;
  car.t.powerNotch = 2;
  car.ticks(30);
  EXPECT_EQ(car.s.motorMaster, 96);  // by 5 while below 95
  // volume 70 %, fade 100, master 96: 1660 log10(0.672)
  EXPECT_EQ(car.mixer->volume(EngineBase), -287);
  car.t.clutchOut = 1;
  car.ticks(1);
  EXPECT_EQ(car.s.motorMaster, 91);
}

// One idle sound with the doors closed (or 5.5 s after the close request),
// the other with them open; a stopped engine silences both.
TEST(DieselEngineSounds, IdleSoundsFollowTheDoors) {
  DieselCar car;
  car.ticks(1);
  EXPECT_TRUE(car.mixer->isLooping(30));
  EXPECT_FALSE(car.mixer->isPlaying(31));
  car.t.doorsOpen = true;
  car.ticks(1);
  EXPECT_FALSE(car.mixer->isPlaying(30));
  EXPECT_TRUE(car.mixer->isLooping(31));
  car.doorClosingTicks = 54;
  car.ticks(1);
  EXPECT_TRUE(car.mixer->isLooping(31));
  car.doorClosingTicks = 55;
  car.ticks(1);
  EXPECT_TRUE(car.mixer->isLooping(30));
  EXPECT_FALSE(car.mixer->isPlaying(31));
  car.t.engineRunning = 0;
  car.ticks(1);
  EXPECT_FALSE(car.mixer->isPlaying(30));
  EXPECT_FALSE(car.mixer->isPlaying(31));
}

// The gear sound of the engaged gear fades in under traction and out without it.
TEST(DieselEngineSounds, GearSoundsFadeInTheirGearUnderPower) {
  DieselCar car;
  const int gearChannel = EngineBase + 1;
  car.t.speed = 15;
  car.t.gear = 1;
  car.t.powerNotch = 1;
  car.ticks(1);
  EXPECT_NEAR(rateOf(*car.mixer, gearChannel), 1.15, 1e-4);
  EXPECT_EQ(car.bank.engineGain3[0][0], 65);
  EXPECT_EQ(car.bank.engineGain3[0][1], 11);
  car.ticks(10);
  EXPECT_EQ(car.bank.engineGain3[0][1], 101);  // by 10 while below 95
  car.t.gear = 2;
  car.ticks(1);
  EXPECT_EQ(car.bank.engineGain3[0][1], 101);  // another gear engaged: held
  car.t.powerNotch = 0;
  car.ticks(20);
  EXPECT_EQ(car.bank.engineGain3[0][1], 1);  // by 10 while above 10
  EXPECT_TRUE(car.mixer->isLooping(gearChannel));
}

TEST(ResistorStepSound, ClicksOnceTheChannelIsFree) {
  VehicleSpec v;
  v.CurrentPCount = 2;
  v.CurrentP[1].sound = 7;
  auto mixer = mixerWithSounds();
  TrainState t;
  t.resistorStep = 1;
  t.resistorStepChanged = true;
  mixer->play(7);  // the last click still sounds
  resistorStepSound(t, v, *mixer);
  EXPECT_TRUE(t.resistorStepChanged);
  mixer->stop(7);
  resistorStepSound(t, v, *mixer);
  EXPECT_TRUE(mixer->isPlaying(7));
  EXPECT_FALSE(t.resistorStepChanged);

  t.resistorStep = 0;  // a step without a sound keeps its flag
  t.resistorStepChanged = true;
  mixer->stop(7);
  resistorStepSound(t, v, *mixer);
  EXPECT_TRUE(t.resistorStepChanged);
  EXPECT_TRUE(testing::playingChannels(*mixer).empty());
}

}  // namespace
}  // namespace cab
