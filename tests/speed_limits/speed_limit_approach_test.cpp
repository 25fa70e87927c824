#include "core/route/speed_limits/speed_limit_approach.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/presentation/panel/cab_lamps.h"
#include "core/route/callouts/callout_state.h"
#include "core/route/operation_state.h"
#include "core/route/signals/signal_state.h"
#include "core/vehicle/train_state.h"

namespace cab {
namespace {

SpeedLimitData limitRow(int limit, int signImage, int positionFrame, int endFrame, int endImage, int distance) {
  SpeedLimitData r;
  r.limit = limit;
  r.signImage = signImage;
  r.positionFrame = positionFrame;
  r.endFrame = endFrame;
  r.endImage = endImage;
  r.positionDistance = distance;
  return r;
}

SpeedCheckData checkRow(int limit, int linkedSignal, int distance) {
  SpeedCheckData r;
  r.limit = limit;
  r.linkedSignal = linkedSignal;
  r.positionDistance = distance;
  return r;
}

TEST(BrakingDistance, FromThePresentSpeedDownToTheLimit) {
  const struct {
    int limit;
    long double speed;
    int cm;
  } cases[] = {
      {45, 80, 28300},    // (80² − 45²) / 21.6 + 80 = 282.5 m, to the nearest metre
      {45, 40, 8000},     // below the limit: 2 m per km/h
      {45, 45, 9000},     // at the limit as well
      {45, 44.5L, 9000},  // the speed rounded half away from zero
      {0, 10, 1500},      // 14.6 m
      {45, -10, -2000},   // backwards: never within reach
  };
  for (const auto& c : cases) EXPECT_EQ(brakingDistance(c.limit, c.speed), c.cm) << c.limit << " " << c.speed;
}

TEST(NextMovieStop, TheFirstStopBeyondTheFrame) {
  const std::vector<int> stops{0, 800, 500};  // in file order, not sorted
  EXPECT_EQ(nextMovieStop(stops, 0), 800);
  EXPECT_EQ(nextMovieStop(stops, 800), NoMovieStop);
  EXPECT_EQ(nextMovieStop({}, 10), NoMovieStop);
}

// A train at `position` cm, frame `frame`, running at `speed`, ahead of the
// route's limits and checks; the tick is run by hand.
struct Approach {
  TrainState train;
  std::vector<SpeedLimitData> limits;
  std::vector<SpeedCheckData> checks;
  std::vector<int> movieStops;
  SignalState signals;
  SpeedLimitState state;
  CabLamps lamps;
  CalloutState callouts;

  Approach() { startSpeedLimits(state, lamps); }
  void at(long double position, int frame, long double speed) {
    train.position = position;
    train.frame = frame;
    train.speed = speed;
  }
  void tick() { speedLimitApproach(train, {limits, checks, movieStops}, signals, state, lamps, callouts); }
};

TEST(SpeedLimitApproach, SignShowsOnceTheLimitIsWithinBrakingDistance) {
  Approach a;
  a.limits = {limitRow(45, 3, 1000, 2000, 6, 100000)};
  a.at(100000 - 28300, 500, 80);  // exactly 283 m ahead: not yet
  a.tick();
  EXPECT_TRUE(a.state.limitEntries[0].active());
  EXPECT_EQ(a.state.limitEntries[0].brakingDistance, 28300);
  EXPECT_EQ(a.state.limitEntries[0].remaining, 28300);
  EXPECT_FALSE(a.state.limitApproach);
  EXPECT_EQ(a.state.limitSignPattern, 0);

  a.at(100000 - 28299.6L, 501, 80);  // 28299.6 cm counts as 28300 (to the nearest)
  a.tick();
  EXPECT_FALSE(a.state.limitApproach);
  a.at(100000 - 28299, 501, 80);
  a.tick();
  EXPECT_TRUE(a.state.limitApproach);
  EXPECT_FALSE(a.state.limitPassing);
  EXPECT_EQ(a.state.limitSignPattern, 3);
  EXPECT_EQ(a.state.limitSignImage, 3);

  // Slowed to 40 km/h the train needs only 80 m: 200 m ahead the sign comes
  // down, though the approach stays armed until the section begins.
  a.at(80000, 600, 40);
  a.tick();
  EXPECT_EQ(a.state.limitEntries[0].brakingDistance, 8000);
  EXPECT_TRUE(a.state.limitApproach);
  EXPECT_EQ(a.state.limitSignPattern, 0);
  EXPECT_EQ(a.state.limitSignImage, SpeedLimitState::NoImage);
  a.at(100000 - 7999, 990, 40);
  a.tick();
  EXPECT_EQ(a.state.limitSignPattern, 3);
}

TEST(SpeedLimitApproach, EntriesAreTheNextThreeRowsAhead) {
  Approach a;
  // Table order counts, not distance: the first row ahead starts the entries.
  a.limits = {limitRow(60, 1, 100, 200, 0, 10000), limitRow(45, 2, 300, 400, 0, 30000),
              limitRow(35, 3, 500, 600, 0, 50000), limitRow(25, 4, 700, 800, 0, 70000),
              limitRow(55, 5, 900, 950, 0, 90000)};
  a.at(20000, 200, 50);
  a.tick();
  const auto& e = a.state.limitEntries;
  EXPECT_EQ((std::array{e[0].row, e[1].row, e[2].row}), (std::array{1, 2, 3}));
  EXPECT_EQ((std::array{e[0].limit, e[1].limit, e[2].limit}), (std::array{45, 35, 25}));
  EXPECT_EQ((std::array{e[0].remaining, e[1].remaining, e[2].remaining}), (std::array{10000, 30000, 50000}));
  for (const ApproachEntry& entry : e) EXPECT_EQ(entry.state, ApproachEntry::LimitActive);

  a.at(80000, 850, 50);  // only the last row is ahead
  a.tick();
  EXPECT_EQ(e[0].row, 4);
  EXPECT_FALSE(e[1].active());
  EXPECT_FALSE(e[2].active());

  a.at(95000, 960, 50);  // all behind
  a.tick();
  for (const ApproachEntry& entry : e) EXPECT_FALSE(entry.active());
}

TEST(SpeedLimitApproach, LimitBeyondTheNextMovieStopGivesNoEntries) {
  Approach a;
  a.limits = {limitRow(45, 3, 1000, 2000, 0, 30000), limitRow(25, 4, 1100, 2000, 0, 31000)};
  a.movieStops = {0, 900};
  a.at(29000, 880, 60);
  a.tick();
  for (const ApproachEntry& entry : a.state.limitEntries) EXPECT_FALSE(entry.active());
  EXPECT_FALSE(a.state.limitApproach);
  EXPECT_FALSE(a.state.information.limit);

  a.movieStops = {0, 1000};  // the limit begins at the stop: still beyond it
  a.tick();
  EXPECT_FALSE(a.state.limitEntries[0].active());
  a.movieStops = {0, 1001};
  a.tick();
  EXPECT_TRUE(a.state.limitEntries[0].active());
  EXPECT_TRUE(a.state.limitEntries[1].active());  // the first row decides for all three
  EXPECT_TRUE(a.state.limitApproach);
}

TEST(SpeedLimitApproach, CheckLinkedToASignalCountsOnlyWhileItShowsStop) {
  Approach a;
  a.checks = {checkRow(45, 2, 20000), checkRow(30, 0, 21000)};
  a.at(19000, 100, 60);
  const struct {
    const char* what;
    std::vector<int> aspects;
    bool active;
  } cases[] = {
      {"no aspects known", {}, false},
      {"signal 2 clear", {0, 0, 3}, false},
      {"signal 2 at stop", {3, 3, 0}, true},
      {"signal 2 beyond the signals", {0, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    a.signals.aspect = c.aspects;
    a.tick();
    const auto& e = a.state.checkEntries;
    EXPECT_EQ(e[0].active(), c.active);
    EXPECT_EQ(e[1].state, ApproachEntry::CheckActive);  // not linked: always
    EXPECT_EQ(e[1].row, 1);
    EXPECT_FALSE(e[2].active());
  }
}

TEST(SpeedLimitApproach, InformationValuesOfTheLimitsAndChecksWithinReach) {
  Approach a;
  a.limits = {limitRow(45, 3, 1000, 2000, 0, 30050), limitRow(25, 4, 1200, 2000, 0, 32000)};
  a.checks = {checkRow(50, 0, 30150), checkRow(20, 0, 60000)};
  a.at(5000, 100, 80);  // 250.5 m to the limit, 251.5 m to the check
  a.tick();
  const SpeedLimitInformation& info = a.state.information;
  ASSERT_TRUE(info.limit);
  EXPECT_EQ(info.limit->limit, 45);
  EXPECT_EQ(info.limit->metres, 250);  // ties to even
  ASSERT_TRUE(info.check);
  EXPECT_EQ(info.check->limit, 50);
  EXPECT_EQ(info.check->metres, 252);
  EXPECT_EQ(info.followingLimit, 25);  // the second check is 550 m away

  a.checks[1].positionDistance = 31000;  // now within reach: it replaces the second limit
  a.tick();
  EXPECT_EQ(info.followingLimit, 20);

  a.at(5000, 100, 30);  // slow: nothing within reach
  a.tick();
  EXPECT_FALSE(info.limit);
  EXPECT_FALSE(info.check);
  EXPECT_FALSE(info.followingLimit);
}

// The sign through one limit, with the cab lamps' blink of each tick: the
// approach sign blinks, the section's sign stands, the end sign stands for
// 200 frames after the end, then the sign is taken down.
TEST(SpeedLimitApproach, SignFromApproachThroughTheSectionToItsEnd) {
  Approach a;
  a.limits = {limitRow(45, 3, 1000, 2000, 6, 30000)};
  a.callouts.lastCallout = 77;
  int tickCount = 0;
  const auto tick = [&](long double position, int frame) {
    ++tickCount;
    TractionLampInputs lampInputs;
    lampInputs.limitApproach = a.state.limitApproach;
    updateTractionLamps(a.lamps, lampInputs, tickCount);
    a.at(position, frame, 40);
    a.tick();
    return a.lamps.limitSign && a.state.limitSignPattern != 0 ? a.state.limitSignPattern : 0;
  };

  std::vector<int> shown;
  for (int k = 0; k < 20; ++k) shown.push_back(tick(30000 - 7900 + 100 * k, 900 + k));
  // Shown at once, dark from tick 5 to 9, lit from 10 to 14, dark again.
  const std::vector<int> blinking{3, 3, 3, 3, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 3};
  EXPECT_EQ(shown, blinking);
  EXPECT_EQ(a.callouts.lastCallout, 77);

  shown.clear();
  for (int k = 0; k < 20; ++k) shown.push_back(tick(30000 + 100 * k, 1000 + k));  // in the section
  EXPECT_EQ(shown, std::vector<int>(20, 3));
  EXPECT_FALSE(a.state.limitApproach);
  EXPECT_EQ(a.state.limitSignSpeed, 45);
  EXPECT_EQ(a.callouts.lastCallout, 0);  // a new section: its call-out is due
  a.callouts.lastCallout = 55;
  tick(33000, 1500);
  EXPECT_EQ(a.callouts.lastCallout, 55);  // the same section: not again

  EXPECT_EQ(tick(60000, 2000), 0);  // the end frame itself belongs to neither
  EXPECT_EQ(tick(60100, 2001), 6);
  EXPECT_TRUE(a.state.limitPassing);
  EXPECT_EQ(a.state.limitSignImage, 6);
  EXPECT_EQ(tick(65000, 2199), 6);
  EXPECT_EQ(tick(65100, 2200), 0);
  EXPECT_FALSE(a.state.limitPassing);
  EXPECT_EQ(a.state.limitSignImage, SpeedLimitState::NoImage);
  EXPECT_EQ(a.state.limitSignSpeed, 0);
  EXPECT_EQ(tick(70000, 2500), 0);
}

TEST(SpeedLimitApproach, ApproachOfTheNextLimitReplacesAnEndSign) {
  Approach a;
  a.limits = {limitRow(45, 3, 1000, 2000, 6, 30000), limitRow(25, 1, 2100, 2500, 0, 80000)};
  a.at(60100, 2001, 40);
  a.tick();
  EXPECT_EQ(a.state.limitSignPattern, 6);
  a.at(80000 - 7999, 2050, 40);
  a.tick();
  EXPECT_TRUE(a.state.limitApproach);
  EXPECT_FALSE(a.state.limitPassing);
  EXPECT_EQ(a.state.limitSignPattern, 1);
  EXPECT_EQ(a.state.limitSignImage, 1);
}

TEST(SpeedLimitApproach, StartOfADriveShowsNoSign) {
  SpeedLimitState s;
  s.limitApproach = s.limitPassing = true;
  s.limitSignPattern = 4;
  s.limitSignSpeed = 45;
  CabLamps lamps;
  startSpeedLimits(s, lamps);
  EXPECT_FALSE(s.limitApproach);
  EXPECT_FALSE(s.limitPassing);
  EXPECT_EQ(s.limitSignPattern, 0);
  EXPECT_EQ(s.limitSignSpeed, 0);
  EXPECT_EQ(s.limitSignImage, SpeedLimitState::NoImage);
  EXPECT_TRUE(lamps.limitSign);  // the sprite as created: visible, with nothing to show
}

}  // namespace
}  // namespace cab
