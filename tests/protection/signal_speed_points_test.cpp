#include "core/route/protection/signal_speed_points.h"

#include <gtest/gtest.h>

#include "tests/protection/protection_fixture.h"

namespace cab {
namespace {

constexpr int AtsFrame = 1000, CheckFrame = 1100;

// One signal of head type 4 with its stop-warning point at frame 1000 and
// its speed point at frame 1100, and the point the signal made in the list.
class SignalPoints : public ::testing::Test, protected testing::ProtectionFixture {
 protected:
  SignalPoints() {
    row.headType = 4;
    row.atsFrame = AtsFrame;
    row.checkFrame = CheckFrame;
    row.positionFrame = 1200;
    route.Signal[0] = row;
    route.Signal[1] = row;
    route.SignalCount = 2;
    route.ProtectionPoints[0] = {50000, 10, 1, 0, 2};  // signal 1's point
    route.ProtectionPointCount = 1;
    signals.aspect = {0, 0};
  }
  void pass(int frame, int signalRow = 0) {
    train.frame = frame;
    signalSpeedPoints(signalRow, row, signals, p, SpeedPointInputs{train, vehicle, route, sectionMaxSpeed});
  }
  SignalData row;
};

TEST_F(SignalPoints, AStopSignalWarnsWithin15FramesOfItsPoint) {
  pass(AtsFrame - 15);
  EXPECT_EQ(p.signalLimit, 999);
  pass(AtsFrame - 14);
  EXPECT_EQ(p.signalLimit, 998);
  p.signalLimit = 999;
  pass(AtsFrame + 14);
  EXPECT_EQ(p.signalLimit, 998);

  // No warning for a clear signal, a repeater, the alarm variant, the pattern type or without power.
  const auto warnsWith = [&](auto change) {
    p = ProtectionState{};
    signals.aspect = {0, 0};
    row.headType = 4;
    vehicle.ATS_Alert = vehicle.ATS_Type = 0;
    change();
    pass(AtsFrame);
    return p.signalLimit == 998;
  };
  EXPECT_TRUE(warnsWith([] {}));
  EXPECT_FALSE(warnsWith([&] { signals.aspect = {1, 0}; }));
  EXPECT_FALSE(warnsWith([&] { row.headType = 0; }));
  EXPECT_FALSE(warnsWith([&] { vehicle.ATS_Alert = 1; }));
  EXPECT_FALSE(warnsWith([&] { vehicle.ATS_Type = 1; }));
  EXPECT_FALSE(warnsWith([&] { p.atsPowerOn = false; }));
}

TEST_F(SignalPoints, TheSpeedPointTakesTheLimitOfThePictureOnScreen) {
  const struct {
    int picture, limit;
  } cases[] = {{13, 0},   {35, 0},   {18, 25},  {22, 25},  {14, 45}, {31, 45},  {15, 65},
               {32, 999}, {26, 999}, {16, 110}, {34, 110}, {2, 777}, {999, 777}};
  for (const auto& c : cases) {
    p.signalLimit = 777;
    signals.shownSignalImage = c.picture;
    pass(CheckFrame + 19);
    EXPECT_EQ(p.signalLimit, c.limit) << c.picture;
    // The picture is taken down: the next signal comes into view afresh.
    EXPECT_EQ(signals.shownSignalImage, 999);
    EXPECT_EQ(signals.prevSignalImage, 999);
    EXPECT_EQ(signals.shownSignalSub, 999);
  }
  signals.shownSignalImage = 16;
  pass(CheckFrame + 20);  // beyond the point
  EXPECT_EQ(signals.shownSignalImage, 16);
}

TEST_F(SignalPoints, TheAlarmVariantRingsAboveTheSpeedPointsLimit) {
  vehicle.ATS_Alert = 1;
  signals.shownSignalImage = 14;  // caution: 45 km/h
  train.speed = 44;
  pass(CheckFrame);
  EXPECT_FALSE(p.atsAlarm);
  signals.shownSignalImage = 14;
  train.speed = 46;
  p.atsConfirmed = true;
  pass(CheckFrame);
  EXPECT_TRUE(p.atsAlarm);
  EXPECT_FALSE(p.atsConfirmed);
}

TEST_F(SignalPoints, ASignalNoLongerAtStopClearsOnlyThePatternItSet) {
  vehicle.ATS_Type = 1;
  p.patternBeacon = 0;  // signal 1's point
  p.patternSpeed = 10;
  p.patternState = 2;
  signals.shownSignalImage = 16;
  pass(CheckFrame, 0);  // another signal's speed point
  EXPECT_EQ(p.patternBeacon, 0);
  signals.shownSignalImage = 13;
  pass(CheckFrame, 1);  // its own, still at stop
  EXPECT_EQ(p.patternBeacon, 0);
  signals.shownSignalImage = 16;
  pass(CheckFrame, 1);
  EXPECT_EQ(p.patternBeacon, ProtectionState::NoBeacon);
  EXPECT_EQ(p.patternSpeed, sectionMaxSpeed + 10);
  EXPECT_EQ(p.patternState, 0);
}

}  // namespace
}  // namespace cab
