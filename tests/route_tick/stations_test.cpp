#include "core/route/stations/stations.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/data/ui_strings.h"
#include "core/route/operation_state.h"
#include "core/route/stations/boarding_random.h"
#include "core/route/stations/doors.h"
#include "core/route/stations/station_state.h"
#include "core/vehicle/train_state.h"
#include "tests/route_tick/fake_sounds.h"

namespace cab {
namespace {

constexpr int DoorOpen = 1, DoorClose = 2, DepSign = 3, StopBellChannel = 4;
constexpr int RouteBase = 10;  // route sound k on channel 10 + k

StationData station(const char* name, int trntype, int position, int deptime) {
  StationData s;
  s.Name = name;
  s.trntype = trntype;
  s.position = position;
  s.position_s = position - 500;
  s.position_e = position + 500;
  s.arrsound = 1;
  s.depsound = 2;
  s.deptime = deptime;
  s.maxspeed = 80;
  return s;
}

// A drive's worth of station state around a three-station table: A (start),
// B (stop), C (last), with a conductor working the doors.
struct StationFixture {
  std::vector<StationData> rows{station("A", 0, 0, 3000), station("B", 0, 100000, 9000),
                                station("C", 0, 200000, 15000)};
  StationTable table{rows};
  RouteSounds routeSounds{RouteBase, {0, 2, 3}};  // arrival sound 2 s, departure sound 3 s
  UiStrings labels;
  DoorSpec doors{DoorOpen, DoorClose, DepSign, false};
  testing::TimedSounds sounds;
  BoardingRandom boarding;
  int callouts = 0;
  int backClicks = 0;
  TrainState train;
  OperationState shared;
  StationState op;
  bool crossingLamp = true;
  std::optional<StationSectionSound> sectionSound;

  StationFixture() {
    labels.Stop = "停車";
    labels.Pass = "通過";
    labels.Stop2 = "停車2";
    sounds.setLength(RouteBase + 1, 20);
    sounds.setLength(RouteBase + 2, 30);
    sounds.setLength(DoorClose, 3);
    op.clearDoneFlags(rows.size());
  }
  void setTable() { table = StationTable(rows); }
  bool step() {
    StationContext c{table,
                     shared.clock,
                     shared.lamps,
                     crossingLamp,
                     routeSounds,
                     labels,
                     doors,
                     sounds,
                     boarding,
                     42,
                     0,
                     std::nullopt,
                     0,
                     sectionSound,
                     [this](int) { ++callouts; },
                     [this] { ++backClicks; }};
    op.remainingDistance = op.nextStopPosition - train.position;
    const bool more = stationStep(train, op, c);
    doorClosedDetection(train, op, shared.lamps, doors, sounds);
    sounds.advance();
    shared.clock += 3;  // 100 ms
    return more;
  }
};

TEST(StopBoard, PatternsByTheDistanceLeft) {
  const struct {
    long double d;
    int pattern;
  } cases[] = {{30000, 0}, {29999, 5}, {28000, 5}, {27500, 5}, {27499, 0}, {26000, 0},
               {19999, 4}, {17500, 4}, {15000, 0}, {12500, 3}, {9999, 2},  {7500, 2},
               {5000, 0},  {4000, 1},  {3000, 1},  {2000, 0},  {-100, 0}};
  for (const auto& c : cases) EXPECT_EQ(stopBoardPattern(c.d), c.pattern) << static_cast<double>(c.d);
}

TEST(SectionMaxSpeed, LowerBoundInclusiveUpperExclusiveAndKeptBeyondTheLast) {
  StationFixture f;
  f.rows[1].maxspeed = 95;
  f.rows[2].maxspeed = 60;
  f.setTable();
  const struct {
    long double position;
    int speed;
  } cases[] = {{0, 80}, {99999, 80}, {100000, 95}, {199999.5L, 95}, {200000, 95}, {300000, 95}};
  for (const auto& c : cases) {
    updateSectionMaxSpeed(f.op, f.table, c.position);
    EXPECT_EQ(f.op.sectionMaxSpeed, c.speed) << static_cast<double>(c.position);
  }
  EXPECT_EQ(f.op.display.maxSpeedText, "最高95");
}

TEST(NextStop, SkipsPassingStationsAndFallsToTheEmptyRow) {
  StationFixture f;
  f.rows[1].trntype = 1;
  f.setTable();
  selectNextStop(f.op, f.table, 0);
  EXPECT_EQ(f.op.nextStopIndex, 2);
  EXPECT_EQ(f.op.nextStopPosition, 200000);
  EXPECT_EQ(f.op.display.prevStationText, "A");
  EXPECT_EQ(f.op.display.nextStationText, "C");
  selectNextStop(f.op, f.table, 2);
  EXPECT_EQ(f.op.nextStopIndex, 3);
  EXPECT_EQ(f.op.nextStopPosition, 0);
  EXPECT_EQ(f.op.display.nextStationText, "");
}

TEST(StationStep, ArrivalOpensTheDoorsDepartureWaitsForTimetableAndSoundsThenDoorsClose) {
  StationFixture f;
  constexpr int SectionLoop = RouteBase + 5;
  f.sectionSound = StationSectionSound{SectionLoop, 1, 2};  // a loop from B to C
  f.train.position = 100200;  // in B's zone
  f.op.nextStopIndex = 1;
  f.op.nextStopPosition = 100000;
  f.train.speed = 0.05L;
  f.shared.clock = 8000;
  f.step();
  EXPECT_TRUE(f.op.inZone[1]);
  EXPECT_EQ(f.op.display.stationText, "ただいま B");
  EXPECT_EQ(f.op.display.stopBoardPattern, 11);
  EXPECT_TRUE(f.train.doorsOpen);
  EXPECT_TRUE(f.train.doorRequest);
  EXPECT_TRUE(f.op.arrived[1]);
  EXPECT_EQ(f.op.arrivalClock, 8000);
  EXPECT_EQ(f.sounds.plays(RouteBase + 1), 1);
  EXPECT_EQ(f.sounds.plays(DoorOpen), 1);

  // Departure once deptime - 3 s has passed and the 2 s arrival sound has run;
  // it puts out the level-crossing indicator's second lamp.
  int departureClock = -1;
  for (int i = 0; i < 400 && departureClock < 0; ++i) {
    EXPECT_TRUE(f.crossingLamp);
    f.step();
    if (f.op.departed[1]) departureClock = f.shared.clock - 3;
  }
  ASSERT_GE(departureClock, 0);
  EXPECT_FALSE(f.crossingLamp);
  EXPECT_GT(departureClock, 9000 - 90);
  EXPECT_LE(departureClock, 9000 - 90 + 3);
  EXPECT_EQ(f.op.nextStopIndex, 2);
  EXPECT_EQ(f.op.nextStopPosition, 200000);
  EXPECT_TRUE(f.train.doorsOpen);

  // The doors close after the departure time and the 3 s departure sound.
  int closeClock = -1;
  for (int i = 0; i < 100 && closeClock < 0; ++i) {
    f.step();
    if (f.op.doorsClosedAtStation[1]) closeClock = f.shared.clock - 3;
  }
  EXPECT_GT(closeClock, departureClock + 90);
  EXPECT_GT(closeClock, 9000);
  EXPECT_FALSE(f.train.doorRequest);
  EXPECT_TRUE(f.sounds.isPlaying(SectionLoop));  // B's doors closing start the loop
  const int count = f.op.doorCloseCount;
  for (int i = 0; i < 5; ++i) f.step();
  EXPECT_FALSE(f.train.doorsOpen);
  EXPECT_EQ(f.op.doorCloseCount, count + 1);
  EXPECT_EQ(f.sounds.plays(DepSign), 1);
}

TEST(StationStep, ConductorOpensOnlyBelowATenthOfAKmPerHour) {
  for (const long double speed : {0.05L, 0.2L, -0.05L}) {
    StationFixture f;
    f.train.position = 100000;
    f.train.speed = speed;
    f.step();
    EXPECT_EQ(f.train.doorsOpen, speed < 0.1L && speed > -0.1L) << static_cast<double>(speed);
    EXPECT_TRUE(f.op.inZone[1]);
  }
}

TEST(StationStep, OverrunIsBetweenStationsAndBackingIntoTheZoneArrives) {
  StationFixture f;
  f.op.nextStopIndex = 1;
  f.op.nextStopPosition = 100000;
  f.train.position = 101000;  // 5 m beyond the zone's end
  f.train.speed = 0;
  f.step();
  EXPECT_FALSE(f.op.inZone[1]);
  EXPECT_FALSE(f.op.arrived[1]);
  EXPECT_FALSE(f.train.doorsOpen);
  EXPECT_EQ(f.op.display.stationText, "次は C停車");
  EXPECT_EQ(f.op.display.stopBoardPattern, 0);
  EXPECT_EQ(f.op.nextStopIndex, 1);
  EXPECT_LT(f.op.remainingDistance, 0);
  f.train.position = 100400;  // backed into the zone
  f.step();
  EXPECT_TRUE(f.op.arrived[1]);
  EXPECT_TRUE(f.train.doorsOpen);
}

TEST(StationStep, PassingStationNeverEntersItsZone) {
  StationFixture f;
  f.rows[1].trntype = 1;
  f.setTable();
  f.train.position = 99000;
  f.step();
  EXPECT_EQ(f.op.display.stationText, "次は B通過");
  f.train.position = 100000;
  f.step();
  EXPECT_FALSE(f.op.inZone[1]);
  EXPECT_NE(f.op.display.stationText, "ただいま B");
}

TEST(StationStep, RunEndsAtTheLastStationOnceTheArrivalSoundHasRun) {
  StationFixture f;
  f.train.position = 200000;
  f.op.nextStopIndex = 2;
  f.op.nextStopPosition = 200000;
  f.step();
  ASSERT_TRUE(f.train.doorsOpen);
  int ticks = 0;
  while (f.backClicks == 0 && ticks < 100) {
    f.step();
    ++ticks;
  }
  EXPECT_EQ(f.backClicks, 1);
  EXPECT_GE(ticks, 19);  // the 20-tick arrival sound
  EXPECT_TRUE(f.op.runEnding);
  for (int i = 0; i < 5; ++i) f.step();
  EXPECT_EQ(f.backClicks, 1);
}

TEST(StationStep, OneManStopWaitsForTheDriverAndAnArrivalAtTheLastStopEndsTheTick) {
  StationFixture f;
  f.doors.oneMan = true;
  f.rows.pop_back();
  f.setTable();
  f.train.position = 100000;
  f.step();
  EXPECT_TRUE(f.op.oneManDoorDone[1]);
  EXPECT_FALSE(f.train.doorsOpen);
  EXPECT_FALSE(f.op.arrived[1]);
  Door_operate(f.train, f.op, f.shared.lamps, f.doors, f.sounds);
  EXPECT_TRUE(f.train.doorsOpen);
  EXPECT_FALSE(f.step());  // no later stop: the rest of the tick is skipped
  EXPECT_TRUE(f.op.arrived[1]);
  EXPECT_EQ(f.op.nextStopIndex, 2);
}

TEST(StationStep, BackgroundSoundLouderTowardTheStoppingPoint) {
  StationFixture f;
  f.rows[1].bcksound = 2;
  f.setTable();
  f.train.position = 100000 - 1000;
  f.step();
  EXPECT_EQ(f.sounds.volume(RouteBase + 2), -602);
  f.train.position = 100000 - 2000;  // the edge of the range: silent, no -infinity
  f.step();
  EXPECT_EQ(f.sounds.volume(RouteBase + 2), -10000);
  f.train.position = 100000 - 2500;  // out of range: stopped
  f.step();
  EXPECT_FALSE(f.sounds.isPlaying(RouteBase + 2));
}

TEST(StopBell, SoundsFrom325MetresAt60AndStopsBelow1) {
  for (const long double remaining : {32600.0L, 32400.0L}) {
    testing::TimedSounds s;
    s.setLength(StopBellChannel, 100);
    TrainState t;
    StationState st;
    OperationState shared;
    t.speed = 60;
    st.remainingDistance = remaining;
    stopBell(t, st, shared, s, StopBellChannel);
    EXPECT_EQ(s.isPlaying(StopBellChannel), remaining < 32500) << static_cast<double>(remaining);
    t.speed = 0.9L;
    stopBell(t, st, shared, s, StopBellChannel);
    EXPECT_FALSE(s.isPlaying(StopBellChannel));
    EXPECT_FALSE(shared.lamps.stop);
  }
}

TEST(DoorLamps, SideLampFollowsTheZoneStationsDoorSide) {
  StationFixture f;
  f.rows[1].door = 1;
  f.setTable();
  f.op.inZone[1] = true;
  f.train.doorsOpen = true;
  f.train.doorRequest = true;
  doorLamps(f.train, f.op, f.shared.lamps, f.table);
  EXPECT_FALSE(f.shared.lamps.door);
  EXPECT_FALSE(f.shared.lamps.others[0]);
  EXPECT_TRUE(f.shared.lamps.others[1]);
  f.train.doorRequest = false;
  doorLamps(f.train, f.op, f.shared.lamps, f.table);
  EXPECT_FALSE(f.shared.lamps.others[0]);
  EXPECT_FALSE(f.shared.lamps.others[1]);
}

}  // namespace
}  // namespace cab
