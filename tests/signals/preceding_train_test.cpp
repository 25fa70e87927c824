// The preceding train: it waits at each station of its timetable until its
// departure time, runs at its speed through the recorded video, leaves the
// route past its limit, and is placed by a station jump.
#include "core/route/signals/preceding_train.h"

#include <gtest/gtest.h>

#include "core/data/route_data.h"
#include "core/route/signals/signal_state.h"

namespace cab {
namespace {

constexpr int FrameRate = 30;
constexpr long double FrameMs = 20;  // 60 km/h adds 36 speed units a step

// Stations standing at frames 100, 1000 and 2000; the video recorded at
// 30 km/h up to frame `recordedTo`, so 60 km/h runs about a frame a step.
RouteData route(int recordedTo = 3000) {
  RouteData d;
  const int tails[] = {100, 1000, 2000};
  for (int i = 0; i < 3; ++i) d.Station[static_cast<std::size_t>(i)].tail = tails[i];
  d.StationCount = 3;
  d.SpeedUnit[0] = {0, recordedTo, 30, 30, 0};
  d.SpeedUnitCount = 1;
  d.PreTrain[0] = {0, 60, 1000};
  d.PreTrain[1] = {1, 60, 5000};
  d.PreTrain[2] = {2, 60, 9000};
  d.PreTrainCount = 3;
  d.PreTrainStart = 100;
  d.PreTrainLimit = 2500;
  return d;
}

// Runs physics steps at `clock` while the train stands at frame 0; returns the preceding train's frame.
int run(SignalState& s, const RouteData& d, int clock, int steps, int trainFrame = 0) {
  for (int i = 0; i < steps; ++i) advancePrecedingTrain(s, d, {trainFrame, clock, FrameRate, FrameMs});
  return s.preTrainFrame;
}

TEST(PrecedingTrain, WaitsForEachDepartureTimeAndLeavesPastItsLimit) {
  const RouteData d = route();
  SignalState s;
  startSignals(s, 0, d.PreTrainStart);
  EXPECT_EQ(run(s, d, 999, 200), 100) << "it waits at the first station until clock 1000";
  EXPECT_EQ(run(s, d, 1001, 100), 220) << "36 units a step at 30 units a frame";
  // On to the second station, where it waits until clock 5000 ...
  run(s, d, 4000, 1000);
  EXPECT_GE(s.preTrainFrame, 1000);
  EXPECT_LE(s.preTrainFrame, 1002);
  EXPECT_EQ(s.preTrainSpeed, 0);
  const int waiting = s.preTrainFrame;
  EXPECT_EQ(run(s, d, 5000, 100), waiting);
  // ... and then runs to the third. The last row has no next station: it
  // keeps its speed past the limit, where the tick takes it off the route.
  run(s, d, 5001, 2000);
  EXPECT_GT(s.preTrainFrame, 2500);
  precedingTrainLeaves(s, d);
  EXPECT_EQ(s.preTrainFrame, 0);
  EXPECT_EQ(run(s, d, 9999, 100, 1), 0) << "once gone it stays gone";
}

TEST(PrecedingTrain, StaysOnTheRouteUpToItsLimit) {
  const RouteData d = route();
  SignalState s;
  s.preTrainFrame = 2500;
  precedingTrainLeaves(s, d);
  EXPECT_EQ(s.preTrainFrame, 2500);
}

TEST(PrecedingTrain, StandsStillOnceTheDrivenTrainIsAheadOfIt) {
  const RouteData d = route();
  SignalState s;
  startSignals(s, 0, d.PreTrainStart);
  EXPECT_EQ(run(s, d, 2000, 50, 101), 100);
  EXPECT_EQ(run(s, d, 2000, 50, 100), 160) << "level with it, it runs";
}

TEST(PrecedingTrain, BeyondTheRecordedVideoItKeepsTheLastRecordingSpeed) {
  const RouteData d = route(1500);
  SignalState s;
  s.preTrainFrame = 1200;
  s.preTrainSpeed = 60;
  run(s, d, 6000, 300);
  const int past = s.preTrainFrame;
  EXPECT_GT(past, 1500);
  EXPECT_EQ(run(s, d, 6000, 100), past + 120);
}

TEST(PrecedingTrain, RowsNamingMissingStationsAreIgnored) {
  RouteData d = route();
  d.PreTrain[1].station = 7;  // no such station: the stretches from and to it are no stretches
  SignalState s;
  startSignals(s, 0, d.PreTrainStart);
  EXPECT_EQ(run(s, d, 2000, 100), 100) << "no stretch holds it, so its speed stays 0";
  EXPECT_EQ(precedingTrainAfterJump(d, 1000), 0);
  d.PreTrain[1].station = -1;
  EXPECT_EQ(precedingTrainAfterJump(d, 1000), 0);
  EXPECT_EQ(precedingTrainAfterJump(d, 6000), 2000);
}

TEST(PrecedingTrain, AfterAJumpItWaitsAtTheNextStationOfItsTimetable) {
  const RouteData d = route();
  EXPECT_EQ(precedingTrainAfterJump(d, 999), 0) << "before its first departure";
  EXPECT_EQ(precedingTrainAfterJump(d, 1000), 1000);
  EXPECT_EQ(precedingTrainAfterJump(d, 4999), 1000);
  EXPECT_EQ(precedingTrainAfterJump(d, 5000), 2000);
  EXPECT_EQ(precedingTrainAfterJump(d, 9000), 0) << "after its last departure";
}

}  // namespace
}  // namespace cab
