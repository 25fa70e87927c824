#include "core/route/protection/pattern_protection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/protection/protection_fixture.h"

namespace cab {
namespace {

using testing::Atc;
using testing::Bell;
using testing::BrakeRelease;

constexpr int SignalPoint = 0;   // the stop signal's point, row 0 of the list
constexpr int LimitPoint = 1;    // a 45 km/h limit
constexpr int StationPoint = 2;  // the stop of station 1
// The limit lies 300 m beyond the signal; the station far beyond both.
constexpr long double SignalAt = 200000, LimitAt = 230000, StationAt = 600000;

// The pattern type over three points: a signal, a speed limit and a station.
class PatternType : public ::testing::Test, protected testing::ProtectionFixture {
 protected:
  PatternType() {
    vehicle.ATS_Type = 1;
    route.Signal[0].headType = 4;
    route.SignalCount = 1;
    addPoint(SignalAt, 10, 2, 0, 0);
    addPoint(LimitAt, 45, 1, 0, 0);
    addPoint(StationAt, 0, 3, 0, 1);
    signals.aspect = {0};
    train.bcTrailer = 0;
  }
  void addPoint(long double at, int speed, int type, int signal, int station) {
    route.ProtectionPoints[static_cast<std::size_t>(route.ProtectionPointCount++)] =
        ProtectionPointData{static_cast<int>(at), speed, signal, station, type};
  }
  // One tick with the train `ahead` cm short of `target`; the log lines it wrote.
  std::vector<std::string> tick(long double target, long double ahead) {
    train.position = target - ahead;
    const std::size_t before = p.log.size();
    patternProtection(train, p, context(), PatternInputs{route, signals, doorsClosed, sectionMaxSpeed});
    sounds.advance();
    return {p.log.begin() + static_cast<long>(before), p.log.end()};
  }
  using Lines = std::vector<std::string>;
  std::vector<bool> doorsClosed = std::vector<bool>(3, false);
};

TEST_F(PatternType, AStopSignalIsCaughtInTheWindowsBeforeIt) {
  train.speed = 0.5L;                         // far below any pattern
  EXPECT_EQ(tick(SignalAt, 60000), Lines{});  // 600 m is not inside the range
  EXPECT_EQ(tick(SignalAt, 59400), Lines{});  // beyond the first window
  EXPECT_EQ(p.patternBeacon, ProtectionState::NoBeacon);
  EXPECT_EQ(tick(SignalAt, 59750), Lines{"停止信号0まで598m"});
  EXPECT_EQ(p.patternSpeed, 10);
  EXPECT_EQ(p.patternPosition, SignalAt);
  EXPECT_EQ(p.patternBeacon, SignalPoint);

  // A train too fast for the first window is caught by the next one.
  p.clearPattern(sectionMaxSpeed);
  EXPECT_EQ(tick(SignalAt, 60100), Lines{});
  EXPECT_EQ(tick(SignalAt, 59400), Lines{});
  EXPECT_EQ(tick(SignalAt, 28250), Lines{"停止信号0まで282m"});
  // The metres round ties to even (21.5 m); within 60 m the warning speed is 0, so any train approaches.
  EXPECT_EQ(tick(SignalAt, 2150), (Lines{"停止信号0まで22m", "パターン接近0/20"}));
}

TEST_F(PatternType, StandardVariantApproachesThenBrakesToTheStopPattern) {
  tick(SignalAt, 28250);  // the pattern toward the signal
  // 100 m short: W 33, B 49. At 40 km/h the train approaches the pattern.
  train.speed = 40;
  EXPECT_EQ(tick(SignalAt, 10000), Lines{"パターン接近33/49"});
  EXPECT_EQ(p.patternState, 1);
  EXPECT_TRUE(lamps.atsp1);
  EXPECT_FALSE(lamps.atsp2);
  EXPECT_EQ(sounds.plays(Atc), 1);
  EXPECT_FALSE(p.atsServiceBrake);
  EXPECT_EQ(tick(SignalAt, 10000), Lines{});  // logged only on entering

  // Above B: the stop-pattern brake, which the standard variant makes a service brake.
  train.speed = 50;
  clearDelayPending();
  EXPECT_EQ(tick(SignalAt, 10000), Lines{"10km/h照査によって停止ブレーキ 速度50 パターン49"});
  EXPECT_EQ(p.patternState, 3);
  EXPECT_EQ(p.prevPatternState, 3);
  EXPECT_EQ(p.brakePattern, 49);
  EXPECT_TRUE(p.atsServiceBrake);
  EXPECT_FALSE(p.atsEmergency);
  EXPECT_TRUE(lamps.atsp1 && lamps.atsp2);
  EXPECT_EQ(sounds.plays(Atc), 2);
  EXPECT_TRUE(delayPending());
  EXPECT_EQ(tick(SignalAt, 10000), Lines{});
}

TEST_F(PatternType, APatternBrakeReleasesTenBelowTheCheckSpeed) {
  train.speed = 20;
  EXPECT_EQ(tick(LimitAt, 28250), Lines{"50km/h照査まで282m"});  // the limit + 5
  train.speed = 85;                                              // above B, which the line speed + 10 caps at 80
  EXPECT_EQ(tick(LimitAt, 28250), (Lines{"50km/h照査まで282m", "50km/h照査によってブレーキ 速度85 パターン80"}));
  EXPECT_EQ(p.patternState, 2);
  EXPECT_TRUE(p.atsServiceBrake);

  train.speed = 40.4L;  // rounds to 40: not below 50 - 10
  tick(LimitAt, 20000);
  EXPECT_EQ(p.patternState, 2);
  train.speed = 39.4L;
  train.bcTrailer = 120;
  train.brakeCommand = -8;
  EXPECT_EQ(tick(LimitAt, 20000), Lines{"ブレーキ緩解"});
  EXPECT_EQ(p.patternState, 0);
  EXPECT_FALSE(p.atsServiceBrake);
  EXPECT_FALSE(lamps.atsp1 || lamps.atsp2);
  EXPECT_EQ(sounds.plays(BrakeRelease), 1);  // the release air of brake step 8
  EXPECT_EQ(sounds.plays(Atc), 2);           // the brake and the release chime
}

TEST_F(PatternType, TheLimitPatternEndsFiveMetresShortOfTheLimit) {
  train.speed = 30;
  tick(LimitAt, 5100);
  EXPECT_EQ(p.patternSpeed, 50);
  EXPECT_EQ(tick(LimitAt, 400), Lines{"速度照査パターン消去"});
  EXPECT_EQ(p.patternSpeed, sectionMaxSpeed + 10);
  EXPECT_EQ(p.patternPosition, 0);
}

TEST_F(PatternType, AClearedSignalClearsThePatternItSet) {
  train.speed = 5;
  tick(SignalAt, 13100);
  ASSERT_EQ(p.patternBeacon, SignalPoint);
  signals.aspect = {4};
  EXPECT_EQ(tick(SignalAt, 12000), Lines{});  // outside the windows the pattern stays
  EXPECT_EQ(p.patternBeacon, SignalPoint);
  EXPECT_EQ(tick(SignalAt, 8600), Lines{"パターン0消去: 信号まで86m"});
  EXPECT_EQ(p.patternBeacon, ProtectionState::NoBeacon);
  EXPECT_EQ(p.patternSpeed, sectionMaxSpeed + 10);
  // With the pattern gone the scan goes on past the clear signal to the limit.
  EXPECT_EQ(tick(SignalAt, 29750), Lines{"50km/h照査まで598m"});
}

TEST_F(PatternType, AStoppingStationSetsItsPatternUntilTheStopIsOver) {
  train.speed = 30;
  EXPECT_EQ(tick(StationAt, 18200), Lines{"停車駅まで182m"});
  EXPECT_EQ(p.patternSpeed, 0);
  doorsClosed[1] = true;
  EXPECT_EQ(tick(StationAt, 1000), Lines{"停車駅パターン消去"});
  EXPECT_EQ(p.patternSpeed, sectionMaxSpeed + 10);
  // A standing train passes over the station point.
  train.speed = 0;
  EXPECT_EQ(tick(StationAt, 1000), Lines{});
}

TEST_F(PatternType, PatternTypeVariant1BrakesWithTheEmergencyBrakeAndRepeatsItsApproach) {
  vehicle.ATS_Alert = 1;
  tick(SignalAt, 28250);
  train.speed = 35;  // B 49 at 100 m: within 15 of it
  EXPECT_EQ(tick(SignalAt, 10000), Lines{"ATS-PTパターン接近"});
  EXPECT_EQ(tick(SignalAt, 10000), Lines{"ATS-PTパターン接近"});
  train.speed = 55;
  tick(SignalAt, 10000);
  EXPECT_EQ(p.patternState, 3);
  EXPECT_TRUE(p.atsEmergency);
  EXPECT_FALSE(p.atsServiceBrake);
  // No pattern: within 5 of the line speed + 10 the maximum-speed pattern approaches.
  ProtectionState fresh;
  fresh.clearPattern(sectionMaxSpeed);
  p = fresh;
  signals.aspect = {4};
  train.speed = 76;
  EXPECT_EQ(tick(LimitAt, 40000), Lines{"ATS-PT最高速パターン接近"});
}

TEST_F(PatternType, Variant2BrakesByItsSpeedAndClearsEveryTickWhileTheSignalIsClear) {
  vehicle.ATS_Alert = 2;
  tick(SignalAt, 28250);
  train.speed = 42;  // B 49: within 8 of it
  EXPECT_EQ(tick(SignalAt, 10000), Lines{"D-ATS-Pパターン接近"});
  train.speed = 50;
  EXPECT_EQ(tick(SignalAt, 10000), Lines{"10km/h照査によってブレーキ 速度50 パターン49"});
  // Above 25 km/h toward a pattern of 10: the service brake, no bell.
  EXPECT_TRUE(p.atsServiceBrake);
  EXPECT_FALSE(p.atsEmergency);
  EXPECT_EQ(sounds.plays(Bell), 0);
  train.speed = 40;  // rounded below B - 8 = 41
  EXPECT_EQ(tick(SignalAt, 10000), Lines{"ブレーキ緩解"});
  EXPECT_FALSE(p.atsServiceBrake);

  signals.aspect = {4};
  train.speed = 5;
  EXPECT_EQ(tick(SignalAt, 9000), Lines{"パターン消去: 信号まで90m"});
  EXPECT_EQ(p.patternBeacon, SignalPoint);  // kept, so the line comes again
  EXPECT_EQ(tick(SignalAt, 8990), Lines{"パターン消去: 信号まで90m"});
}

TEST_F(PatternType, Variant2UsesTheEmergencyBrakeAndBellAtLowSpeed) {
  vehicle.ATS_Alert = 2;
  train.speed = 20;
  tick(SignalAt, 2150);
  EXPECT_EQ(p.patternState, 1);
  tick(SignalAt, 900);  // B is 10 within the margin
  EXPECT_EQ(p.patternState, 2);
  EXPECT_TRUE(p.atsEmergency);
  EXPECT_TRUE(sounds.isPlaying(Bell));
}

TEST_F(PatternType, PassingAStopPointBrakesAtOnce) {
  train.speed = 5;
  p.signalLimit = 0;
  tick(SignalAt, 100000);
  EXPECT_TRUE(p.atsEmergency);
  EXPECT_EQ(p.patternState, 3);
  EXPECT_EQ(sounds.plays(Atc), 1);
}

TEST_F(PatternType, OnlyRunsForwardWithPowerOn) {
  train.speed = 5;
  train.reverser = 0;
  EXPECT_EQ(tick(SignalAt, 28250), Lines{});
  train.reverser = 1;
  p.atsPowerOn = false;
  EXPECT_EQ(tick(SignalAt, 28250), Lines{});
  EXPECT_EQ(p.patternBeacon, ProtectionState::NoBeacon);
}

}  // namespace
}  // namespace cab
