#include <gtest/gtest.h>

#include <string>

#include "core/data/ui_strings.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/delayed_commands.h"
#include "core/vehicle/handle_operations.h"
#include "core/vehicle/masconupdate.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"
#include "tests/vehicle/fixture_vehicles.h"

namespace cab {
namespace {

// Applies a key sequence of the combined handle: '8' toward power, '2'
// toward brake, '0' EB, '5' neutral; returns "brake,power,holdBack".
std::string press(TrainState& t, const VehicleSpec& v, const std::string& keys) {
  for (char k : keys) {
    if (k == '8') oneHandleTowardPower(t, v);
    if (k == '2') oneHandleTowardBrake(t, v);
    if (k == '0') Emergency(t, v);
    if (k == '5') AllNeutral(t);
  }
  return std::to_string(t.brakeHandle) + "," + std::to_string(t.powerHandle) + "," + (t.holdBack ? "H" : "-");
}

TEST(OneHandle, PositionsAlongTheHandle) {
  struct Case {
    int hold;
    int startBrake;
    const char* keys;
    const char* expected;
  } cases[] = {
      // With a hold-back position between B1 and neutral.
      {1, -2, "8", "-1,0,-"},
      {1, -2, "88", "0,0,H"},
      {1, -2, "888", "0,0,-"},
      {1, -2, "8888", "0,1,-"},
      {1, 0, "2", "0,0,H"},
      {1, 0, "22", "-1,0,-"},
      {1, 0, "222", "-2,0,-"},
      // Without it the handle steps straight from neutral to B1.
      {0, 0, "2", "-1,0,-"},
      {0, -1, "8", "0,0,-"},
      // Power steps down to neutral, then the brake side.
      {0, 0, "8888822", "0,2,-"},
      {0, 0, "88888", "0,4,-"},
      {0, 0, "88882222", "0,0,-"},
      {0, 0, "888822222", "-1,0,-"},
      // Stepping stops at the last service step; only EB reaches EB.
      {0, 0, "2222222222", "-7,0,-"},
      {0, 0, "880", "-8,0,-"},
      {1, -8, "5", "0,0,-"},
      // Toward power from EB first releases the brake.
      {0, -8, "8", "-7,0,-"},
  };
  for (const Case& c : cases) {
    VehicleSpec v = testing::smallElectric();
    v.Hold = c.hold;
    TrainState t;
    t.brakeHandle = c.startBrake;
    EXPECT_EQ(press(t, v, c.keys), c.expected) << "hold " << c.hold << " from " << c.startBrake << " keys " << c.keys;
    EXPECT_TRUE(t.powerHandle == 0 || t.brakeHandle == 0);
  }
}

TEST(TwoHandles, PowerAndBrakeMoveIndependently) {
  VehicleSpec v = testing::smallElectric();
  v.Handle = 1;
  v.Hold = 1;
  TrainState t;
  t.brakeHandle = -2;
  PowerUp(t, v);  // no interlock with the brake on a separate handle
  EXPECT_EQ(t.powerHandle, 1);
  BrakeDown(t, v);
  EXPECT_EQ(t.brakeHandle, -1);
  BrakeDown(t, v);
  EXPECT_EQ(t.brakeHandle, 0);
  EXPECT_TRUE(t.holdBack);
  BrakeDown(t, v);
  EXPECT_FALSE(t.holdBack);
  for (int i = 0; i < 12; ++i) BrakeUp(t, v);
  EXPECT_EQ(t.brakeHandle, -7);
  EXPECT_EQ(t.powerHandle, 1);  // the brake handle never moves the power handle
  brakeHandleEmergency(t, v);
  EXPECT_EQ(t.brakeHandle, -8);
  EXPECT_EQ(t.powerHandle, 1);
}

TEST(PowerModes, HandleStaysInsideTheMode) {
  VehicleSpec v = testing::smallElectric();
  v.Notch[2].mode = v.Notch[3].mode = 1;  // notches 3, 4 form mode 1
  v.NotchModeStart[1] = 2;
  TrainState t;
  for (int i = 0; i < 4; ++i) PowerUp(t, v);
  EXPECT_EQ(t.powerHandle, 2);
  t.powerMode = 1;
  t.powerHandle = 4;
  PowerDown(t, v);
  EXPECT_EQ(t.powerHandle, 3);
  PowerDown(t, v);  // the mode's first notch goes to 0
  EXPECT_EQ(t.powerHandle, 0);
}

class RecordingSound : public SoundChannels {
 public:
  void play(int c) override { log += "play" + std::to_string(c) + " "; }
  void loop(int c) override { log += "loop" + std::to_string(c) + " "; }
  void stop(int c) override { log += "stop" + std::to_string(c) + " "; }
  bool isPlaying(int) const override { return false; }
  void setVolume(int, int) override {}
  void setFrequency(int, int) override {}
  std::string log;
};

TEST(Reverser, StandingAndInterlock) {
  struct Case {
    int interlock;
    long double speed;
    int brake;
    bool moves;
  } cases[] = {{0, 0, 0, true},   {0, 1.0L, 0, true}, {0, -1.0L, 0, true}, {0, 1.5L, 0, false},
               {1, 0, -7, false}, {1, 0, -8, true},   {2, 0, -8, false}};
  for (const Case& c : cases) {
    VehicleSpec v = testing::smallElectric();
    v.InterLock = c.interlock;
    v.Sound_Rev = {5, 6, 7};
    TrainState t;
    t.speed = c.speed;
    t.brakeHandle = c.brake;
    RecordingSound sound;
    SetReverser(t, v, sound, -1);
    EXPECT_EQ(t.reverser, c.moves ? -1 : 1) << c.interlock << " " << static_cast<double>(c.speed);
    EXPECT_EQ(sound.log, c.moves ? "stop6 play6 " : "");
  }
}

// Runs the power-notch update for `frames` frames of 17 ms.
void runPower(TrainState& t, const VehicleSpec& v, int frames) {
  for (int i = 0; i < frames; ++i) updatePowerNotch(t, v, 17, 0);
}

TEST(Delays, PowerNotchFollowsAfterDelayAndNotchBack) {
  VehicleSpec v = testing::smallElectric();
  v.NotchBack = 3;
  TrainState t;
  t.powerHandle = 4;
  t.powerDelayPending = true;
  runPower(t, v, 5);  // 85 ms < 100 ms
  EXPECT_EQ(t.powerNotch, 0);
  runPower(t, v, 1);  // 102 ms
  EXPECT_EQ(t.powerNotch, 4);
  // A step back to notch 2, below the notch-back limit 3, does not act.
  t.powerHandle = 2;
  t.powerDelayPending = true;
  runPower(t, v, 6);
  EXPECT_EQ(t.powerNotch, 4);
  // Back to 3 does; to 0 always does.
  t.powerHandle = 3;
  t.powerDelayPending = true;
  runPower(t, v, 6);
  EXPECT_EQ(t.powerNotch, 3);
  t.powerHandle = 0;
  t.powerDelayPending = true;
  runPower(t, v, 6);
  EXPECT_EQ(t.powerNotch, 0);
}

TEST(Delays, BrakeFollowsSoonerWithChargedCylinders) {
  VehicleSpec v = testing::smallElectric();  // BrakeDelay 200 ms: 140 ms when charged
  struct Case {
    long double bcTrailer;
    int framesOf20Ms;
    bool copied;
  } cases[] = {{0, 9, false}, {0, 10, true}, {100, 6, false}, {100, 7, true}};
  for (const Case& c : cases) {
    TrainState t;
    t.brakeHandle = -3;
    t.bcTrailer = c.bcTrailer;
    t.brakeDelayPending = true;
    for (int i = 0; i < c.framesOf20Ms; ++i) updateBrakeCommands(t, v, {}, 20);
    EXPECT_EQ(t.brakeCommand, c.copied ? -3 : 0) << static_cast<double>(c.bcTrailer) << " " << c.framesOf20Ms;
  }
}

TEST(Delays, OverrideRuleUnderProtectionFlags) {
  VehicleSpec v = testing::smallElectric();
  struct Case {
    ProtectionFlags flags;
    int handle;
    int expected;
  } cases[] = {
      {{}, -3, -3},
      {{true, false, false}, 0, -8},
      {{false, true, false}, -2, -8},
      {{false, false, true}, 0, -7},   // the strongest service step
      {{false, false, true}, -8, -8},  // a handle at EB stays EB
      {{true, false, true}, -3, -8},
  };
  for (const Case& c : cases) {
    TrainState t;
    t.brakeHandle = c.handle;
    EXPECT_EQ(overrideBrake(t, v, c.flags), c.expected) << c.handle;
  }
}

TEST(Delays, ElectricBrakeBelowTakeUpSpeedIsDropped) {
  VehicleSpec v = testing::smallElectric();
  v.Lose_elec = {10, 5};
  TrainState t;
  t.brakeHandle = -3;
  t.speed = 8;
  t.elecBrakeDelayPending = true;
  EXPECT_FALSE(updateBrakeCommands(t, v, {}, 20));
  EXPECT_FALSE(t.elecBrakeDelayPending);
  EXPECT_EQ(t.elecBrakeCommand, 0);
  t.speed = 40;
  t.elecBrakeDelayPending = true;
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(updateBrakeCommands(t, v, {}, 20));
  EXPECT_EQ(t.elecBrakeCommand, -3);
}

TEST(ConstantSpeed, EngageByStepBackAndRelease) {
  VehicleSpec v = testing::smallElectric();
  v.ConstNotch = 3;
  v.ConstMinSpeed = 40;
  UiStrings labels;
  labels.Const = "定速";
  TrainState t;
  t.brakeHandle = t.brakeCommand = 0;
  t.speed = 50;
  t.powerHandle = 3;
  t.powerNotch = 4;  // the handle just came back from notch 4
  masconupdate(t, v, labels, {});
  EXPECT_EQ(t.constSpeed, 1);
  EXPECT_EQ(t.powerText, "定速");
  masconupdate(t, v, labels, {});  // the next update keeps it
  EXPECT_EQ(t.constSpeed, 1);
  t.powerHandle = 2;  // a handle move releases it, the notch follows at once
  masconupdate(t, v, labels, {});
  EXPECT_EQ(t.constSpeed, 0);
  EXPECT_EQ(t.powerNotch, 2);
  // Too slow: no engagement.
  t.speed = 30;
  t.powerHandle = 3;
  t.powerNotch = 4;
  masconupdate(t, v, labels, {});
  EXPECT_EQ(t.constSpeed, 0);
}

TEST(ConstantSpeed, KeyAtFullPowerAndProtectionRelease) {
  VehicleSpec v = testing::smallElectric();
  v.ConstNotch = 1;
  v.ConstMinSpeed = 40;
  TrainState t;
  t.speed = 45;
  t.powerHandle = t.powerNotch = 3;
  constSpeedKey(t, v);
  EXPECT_EQ(t.constSpeed, 0);
  t.powerHandle = t.powerNotch = 4;
  constSpeedKey(t, v);
  EXPECT_EQ(t.constSpeed, 1);
  masconupdate(t, v, UiStrings{}, {false, false, true});
  EXPECT_EQ(t.constSpeed, 0);
}

TEST(Masconupdate, DieselModeTextNamesTheGearLever) {
  VehicleSpec v = testing::smallElectric();
  v.Engine_Type = 0;
  UiStrings l;
  l.Gears = {"N", "1速", "変速"};
  struct Case {
    int gearCount;
    int lever;
    const char* text;
  } cases[] = {{3, 0, "N"},     {3, 1, "1速"},   {3, 2, "変速"}, {5, 2, "変速1"},
               {5, 4, "変速3"}, {7, 5, "変速4"}, {7, 6, ""}};
  for (const Case& c : cases) {
    v.EngineCount = c.gearCount;
    TrainState t;
    t.gearLever = c.lever;
    masconupdate(t, v, l, {});
    EXPECT_EQ(t.modeText, c.text) << c.gearCount << " " << c.lever;
  }
}

TEST(Masconupdate, TextsAndIndicators) {
  VehicleSpec v = testing::smallElectric();
  v.Hold = 1;
  v.PowerMode[0] = {"P", "直列"};
  v.PowerModeCount = 1;
  UiStrings l;
  l.Forward = "前";
  l.Neut = "切";
  l.Neut2 = "N";
  l.EB = "非常";
  l.Hold2 = "抑速";
  TrainState t;
  t.brakeHandle = -8;
  masconupdate(t, v, l, {});
  EXPECT_EQ(t.brakeText, "非常");
  EXPECT_EQ(t.powerText, "N");
  EXPECT_EQ(t.reverserText, "前");
  EXPECT_EQ(t.modeText, "直列");
  EXPECT_EQ(t.indicators.brakeFrame, 9);  // -brakeHandle + 1 with a hold-back picture
  EXPECT_FALSE(t.indicators.powerVisible);
  EXPECT_TRUE(t.indicators.forwardLamp);
  t.brakeHandle = -3;
  masconupdate(t, v, l, {true, false, false});
  EXPECT_EQ(t.brakeText, "B3");
  EXPECT_EQ(t.indicators.brake2FromEnd, 1);
  t.brakeHandle = 0;
  t.holdBack = true;
  masconupdate(t, v, l, {});
  EXPECT_EQ(t.brakeText, "抑速");
  EXPECT_EQ(t.indicators.brakeFrame, 1);
  EXPECT_FALSE(t.indicators.power2Visible);
  t.holdBack = false;
  t.powerHandle = 2;
  masconupdate(t, v, l, {});
  EXPECT_EQ(t.brakeText, "切");
  EXPECT_EQ(t.powerText, "P2");
  EXPECT_EQ(t.indicators.powerFrame, 2);
  EXPECT_EQ(t.indicators.brakeFrame, 0);
}

}  // namespace
}  // namespace cab
