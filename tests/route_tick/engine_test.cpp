#include "core/vehicle/engine.h"

#include <gtest/gtest.h>

#include "core/vehicle/gearbox.h"
#include "core/vehicle/train_state.h"
#include "tests/route_tick/fake_sounds.h"

namespace cab {
namespace {

constexpr int Starter = 7;
constexpr int EngineStop = 8;

// Neutral and three gears: up above s2, down below s0.
GearboxSpec diesel(bool automatic) {
  GearboxSpec g;
  g.diesel = true;
  g.automatic = automatic;
  g.gears = {{0, 0, 30, 0}, {0, 20, 30, 2.0L}, {15, 45, 30, 1.0L}, {35, 200, 30, 0.5L}};
  g.starterSound = Starter;
  g.engineStopSound = EngineStop;
  return g;
}

void holdKey(TrainState& t, const GearboxSpec& g, testing::TimedSounds& s, int request, int ticks) {
  t.startStopRequest = request;
  for (int i = 0; i < ticks; ++i) engineStartStop(t, g, s);
}

TEST(EngineStartStop, StartsAfterFiveSecondsOfTheStartKey) {
  struct Case {
    int heldTicks;
    int stateWhileHeld;
    int stateAfterRelease;
  };
  // Held 1 tick: not yet cranking. 2 ticks: cranking. 30 ticks (3 s): cranking, released it stops.
  const Case cases[] = {{1, 0, 0}, {2, -1, 0}, {30, -1, 0}, {50, -1, 0}, {51, 1, 1}};
  for (const Case& c : cases) {
    const GearboxSpec g = diesel(true);
    testing::TimedSounds s;
    TrainState t;
    t.engineRunning = 0;
    holdKey(t, g, s, 1, c.heldTicks);
    EXPECT_EQ(t.engineRunning, c.stateWhileHeld) << c.heldTicks;
    holdKey(t, g, s, 0, 1);
    EXPECT_EQ(t.engineRunning, c.stateAfterRelease) << c.heldTicks;
    EXPECT_EQ(t.startStopHeld, 0);
    EXPECT_EQ(s.plays(Starter), c.heldTicks >= 2 ? 1 : 0);
  }
}

TEST(EngineStartStop, StopKeyNeedsTheHandleOffAndFiveSeconds) {
  const GearboxSpec g = diesel(true);
  testing::TimedSounds s;
  TrainState t;
  t.powerHandle = 1;
  holdKey(t, g, s, 2, 10);
  EXPECT_EQ(t.engineRunning, 1);  // power handle not at 0
  holdKey(t, g, s, 0, 1);
  t.powerHandle = 0;
  holdKey(t, g, s, 2, 41);
  EXPECT_EQ(t.engineRunning, -2);
  EXPECT_EQ(s.plays(EngineStop), 1);  // the stopping sound at 40 ticks
  holdKey(t, g, s, 0, 1);
  EXPECT_EQ(t.engineRunning, 1);  // released before 50 ticks: keeps running
  holdKey(t, g, s, 2, 52);
  EXPECT_EQ(t.engineRunning, 0);
}

TEST(EngineStall, PowerInTheTopGearAtAStandstillStalls) {
  struct Case {
    int gear, lever, reverser, notch;
    long double speed;
    bool stalls;
  };
  const Case cases[] = {
      {3, 3, 1, 1, 0, true},  {3, 3, 1, 1, 0.49L, true}, {3, 3, 1, 1, -0.49L, true}, {3, 3, 1, 1, 0.5L, false},
      {2, 2, 1, 1, 0, false}, {3, 2, 1, 1, 0, false},    {3, 3, 0, 1, 0, false},     {3, 3, 1, 0, 0, false},
  };
  for (const Case& c : cases) {
    const GearboxSpec g = diesel(false);
    testing::TimedSounds s;
    TrainState t;
    t.gear = c.gear;
    t.gearLever = c.lever;
    t.reverser = c.reverser;
    t.powerNotch = c.notch;
    t.speed = c.speed;
    EXPECT_EQ(engineStall(t, g, s), c.stalls);
    EXPECT_EQ(t.engineRunning, c.stalls ? 0 : 1);
    EXPECT_EQ(s.plays(EngineStop), c.stalls ? 1 : 0);
    if (c.stalls) {
      EXPECT_EQ(t.powerNotch, 0);
    }
  }
}

TEST(AutomaticGears, ShiftUpAboveS2DownBelowS0AndFirstBelowTen) {
  struct Case {
    int gear, lever;
    long double speed;
    int leverAfter, gearAfter;
  };
  const Case cases[] = {
      {1, 1, 21, 2, 1},   // above gear 1's s2
      {1, 1, 20, 1, 1},   // at s2: no shift
      {2, 2, 46, 3, 2},   // above gear 2's s2
      {3, 3, 250, 3, 3},  // top gear: stays
      {3, 3, 34, 2, 3},   // below gear 3's s0
      {2, 2, 14, 1, 2},   // below gear 2's s0
      {2, 2, 9, 1, 1},    // below 10 km/h the gear is forced to 1
      {0, 1, 5, 1, 0},    // neutral stays neutral
  };
  for (const Case& c : cases) {
    const GearboxSpec g = diesel(true);
    TrainState t;
    t.gear = c.gear;
    t.gearLever = c.lever;
    t.speed = c.speed;
    t.clutchOut = 1;
    automaticGearChoice(t, g);
    EXPECT_EQ(t.gearLever, c.leverAfter) << c.speed;
    EXPECT_EQ(t.gear, c.gearAfter) << c.speed;
    EXPECT_EQ(t.clutchOut, c.speed < 10 ? 0 : 1);
  }
}

TEST(Clutch, NeutralWhenPowerIsCutAndTheLeverGearWhenItIsTakenAgain) {
  const GearboxSpec g = diesel(false);
  const ClutchConditions ok;
  TrainState t;
  t.gear = 2;
  t.gearLever = 2;
  // Power cut in gear: neutral, and the clutch counts this tick's frame time
  // at once, so a frame of 10 ms or more completes the change in the same tick.
  EXPECT_TRUE(clutchStep(t, g, ok, 16.7L));
  EXPECT_EQ(t.gear, 0);
  EXPECT_EQ(t.clutchOut, 0);
  EXPECT_EQ(t.shiftElapsed, 0);
  EXPECT_FALSE(clutchStep(t, g, ok, 16.7L));
  // Power again: the clutch opens and engages the lever's gear in the same tick.
  t.powerNotch = 1;
  EXPECT_TRUE(clutchStep(t, g, ok, 16.7L));
  EXPECT_EQ(t.clutchOut, 0);
  EXPECT_EQ(t.gear, 2);
  // A frame shorter than 10 ms leaves the change open until the next tick.
  t.gearLever = 1;
  EXPECT_TRUE(clutchStep(t, g, ok, 4));
  EXPECT_EQ(t.clutchOut, 1);
  EXPECT_EQ(t.shiftElapsed, 4);
  EXPECT_EQ(t.gear, 2);
  EXPECT_TRUE(clutchStep(t, g, ok, 16.7L));
  EXPECT_EQ(t.clutchOut, 0);
  EXPECT_EQ(t.gear, 1);
  // Open doors on an interlocked vehicle keep the clutch out of gear.
  t.gear = 0;
  EXPECT_FALSE(clutchStep(t, g, ClutchConditions{false, false, false}, 16.7L));
  EXPECT_EQ(t.gear, 0);
  // An ATS emergency keeps the gear from engaging.
  EXPECT_TRUE(clutchStep(t, g, ClutchConditions{true, false, false}, 0));
  EXPECT_EQ(t.clutchOut, 1);
  EXPECT_TRUE(clutchStep(t, g, ClutchConditions{true, true, false}, 16.7L));
  EXPECT_EQ(t.gear, 0);
}

TEST(EngineSpeed, FollowsTheGearWithPowerAndFallsToIdleWithout) {
  const GearboxSpec g = diesel(false);
  TrainState t;
  t.gear = 1;
  t.speed = 30;  // target 30 + 2 x 30 = 90
  t.powerNotch = 1;
  t.engineRpm = 30;
  engineSpeedStep(t, g);
  EXPECT_EQ(t.engineRpmTarget, 90);
  EXPECT_NEAR(static_cast<double>(t.engineRpm), 30.6, 1e-9);
  t.engineRpm = 88;  // within 5: slow approach
  engineSpeedStep(t, g);
  EXPECT_NEAR(static_cast<double>(t.engineRpm), 88.03, 1e-9);
  t.engineRpm = 89.5L;  // within 1: stays
  engineSpeedStep(t, g);
  EXPECT_NEAR(static_cast<double>(t.engineRpm), 89.5, 1e-9);
  t.powerNotch = 0;
  engineSpeedStep(t, g);
  EXPECT_NEAR(static_cast<double>(t.engineRpm), 88.5, 1e-9);
  // Neutral on a manual gearbox with power: races up to 95 and is held there.
  t.gear = 0;
  t.powerNotch = 1;
  t.engineRpm = 94.8L;
  engineSpeedStep(t, g);
  EXPECT_EQ(t.engineRpm, 95);
  EXPECT_EQ(t.engineRpmTarget, 100);
  // A stopped engine dies away to 0; a running one below idle picks up.
  t.engineRunning = 0;
  t.powerNotch = 0;
  t.engineRpm = 2;
  engineSpeedStep(t, g);
  EXPECT_EQ(t.engineRpm, 0);
  t.engineRunning = 1;
  engineSpeedStep(t, g);
  EXPECT_EQ(t.engineRpm, 3);
}

}  // namespace
}  // namespace cab
