#include "core/route/protection/speed_checks.h"

#include <gtest/gtest.h>

#include "core/route/protection/spot_bell.h"
#include "tests/protection/protection_fixture.h"

namespace cab {
namespace {

SpeedCheckData check(int limit, int checkSpeed, int positionFrame, int fourth, int distance) {
  SpeedCheckData row;
  row.limit = limit;
  row.checkSpeed = checkSpeed;
  row.positionFrame = positionFrame;
  row.linkedSignal = fourth;
  row.endFrame = fourth;
  row.positionDistance = distance;
  return row;
}

// The spot type on a 70 km/h line with a cab limit lamp of the speeds 25, 45, 55 and 60.
class SpeedChecks : public ::testing::Test, protected testing::ProtectionFixture {
 protected:
  SpeedChecks() {
    const int speeds[] = {25, 45, 55, 60};
    for (int k = 0; k < 4; ++k) vehicle.cabLayout.LampSignalSpeeds[static_cast<std::size_t>(k)] = speeds[k];
    vehicle.cabLayout.LampSignalSpeedCount = 4;
    route.SignalCount = 3;
    signals.aspect = {4, 4, 0};
  }
  void tick() { speedChecks(train, p, context(), SpeedCheckInputs{route, signals, sectionMaxSpeed}); }
  void setPointChecks(std::initializer_list<SpeedCheckData> rows) {
    int i = 0;
    for (const auto& r : rows) route.SpeedCheck1[static_cast<std::size_t>(i++)] = r;
    route.SpeedCheck1Count = i;
  }
};

TEST_F(SpeedChecks, APointPassedTooFastBrakesOnTheNextTick) {
  setPointChecks({check(45, 50, 0, 0, 10000)});
  train.position = 10000;  // at the point, not yet beyond it
  tick();
  EXPECT_FALSE(p.atsAlarm);
  train.position = 10001;
  train.speed = 55;
  tick();
  EXPECT_TRUE(p.atsAlarm);
  EXPECT_EQ(p.atsAlarmTicks, 50);
  spotTypeBell(train, p, context());
  EXPECT_TRUE(p.atsEmergency);
  // Checked once only.
  p = ProtectionState{};
  p.checkDone = {true};
  tick();
  EXPECT_FALSE(p.atsAlarm);
}

TEST_F(SpeedChecks, APointTiedToASignalChecksOnlyWhileItShowsStop) {
  setPointChecks({check(45, 50, 0, 1, 10000), check(45, 50, 0, 2, 10000), check(45, 50, 0, -1, 10000)});
  train.position = 20000;
  train.speed = 40;  // below the check speed: the check is made and passed
  tick();
  EXPECT_EQ(p.checkDone, (std::vector<bool>{false, true, false}));
  EXPECT_FALSE(p.atsAlarm);
  signals.aspect = {4, 0, 0};
  train.speed = 60;
  tick();
  EXPECT_EQ(p.checkDone, (std::vector<bool>{true, true, false}));
  EXPECT_TRUE(p.atsAlarm);
}

TEST_F(SpeedChecks, ALimitRangeShowsItsSpeedOnTheCabLampAndRingsAboveIt) {
  route.SpeedCheck2[0] = check(45, 0, 100, 200, 0);
  route.SpeedCheck2Count = 1;
  train.frame = 150;
  train.speed = 44;
  tick();
  EXPECT_TRUE(lamps.cabLimit);
  EXPECT_EQ(lamps.cabLimitFrame, 1);
  EXPECT_EQ(p.cabLimitLamp, 2);
  EXPECT_FALSE(p.atsAlarm);
  train.speed = 46;
  tick();
  EXPECT_TRUE(p.atsAlarm);
  EXPECT_EQ(p.atsAlarmTicks, 50);
  // Below a lower signal limit the range does not count; the lamp shows the signal's limit.
  p = ProtectionState{};
  p.signalLimit = 25;
  tick();
  EXPECT_EQ(lamps.cabLimitFrame, 0);
  EXPECT_FALSE(p.atsAlarm);
  // Out of the range with no signal limit the lamp goes dark.
  p.signalLimit = 999;
  train.frame = 200;
  tick();
  EXPECT_FALSE(lamps.cabLimit);
  EXPECT_EQ(p.cabLimitLamp, 0);
}

TEST_F(SpeedChecks, ABrakeRangeAppliesTheServiceBrakeUntilTheSpeedIsBelowIt) {
  route.SpeedCheck3[0] = check(60, 0, 100, 200, 0);
  route.SpeedCheck3Count = 1;
  train.frame = 150;
  train.speed = 61;
  tick();
  EXPECT_TRUE(p.atsServiceBrake);
  EXPECT_TRUE(delayPending());
  EXPECT_EQ(lamps.cabLimitFrame, 3);
  train.speed = 59;
  tick();
  EXPECT_FALSE(p.atsServiceBrake);
  // A pattern brake is not released here.
  p.atsServiceBrake = true;
  p.patternState = 2;
  tick();
  EXPECT_TRUE(p.atsServiceBrake);
}

TEST_F(SpeedChecks, TheLineSpeedCheckBrakesAboveTheSectionsMaximum) {
  train.speed = 71;
  route.MaxSpeedCheck = 1;
  tick();
  EXPECT_TRUE(p.atsServiceBrake);
  EXPECT_FALSE(p.atsEmergency);
  p = ProtectionState{};
  route.MaxSpeedCheck = 2;
  tick();
  EXPECT_TRUE(p.atsEmergency && p.atsAlarm);
  p = ProtectionState{};
  route.MaxSpeedCheck = 3;
  tick();
  EXPECT_FALSE(p.atsServiceBrake || p.atsEmergency);
}

TEST_F(SpeedChecks, NothingIsCheckedWithPowerOffOrCabSignalling) {
  route.MaxSpeedCheck = 2;
  train.speed = 100;
  p.atsPowerOn = false;
  tick();
  EXPECT_FALSE(p.atsEmergency);
  p.atsPowerOn = true;
  vehicle.ATS_Type = 2;
  tick();
  EXPECT_FALSE(p.atsEmergency);
}

TEST(SpeedCheckFlags, ChecksBehindTheTrainCountAsMade) {
  ProtectionState p;
  const SpeedCheckData rows[] = {check(45, 50, 0, 0, 1000), check(45, 50, 0, 0, 5000), check(45, 50, 0, 0, 9000)};
  p.checkDone = {false, true, true, true};
  markChecksBehind(p, rows, 5000);
  EXPECT_EQ(p.checkDone, (std::vector<bool>{true, false, false}));
}

}  // namespace
}  // namespace cab
