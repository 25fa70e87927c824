#include "core/route/stations/doors.h"

#include <gtest/gtest.h>

#include "core/route/operation_state.h"
#include "core/route/stations/station_state.h"
#include "core/vehicle/train_state.h"
#include "tests/route_tick/fake_sounds.h"

namespace cab {
namespace {

constexpr int DoorOpen = 1, DoorClose = 2, DepSign = 3;

struct DoorFixture {
  DoorSpec doorSpec{DoorOpen, DoorClose, DepSign, false};
  testing::TimedSounds sounds;
  TrainState t;
  StationState o;
  CabLamps lamps;
  DoorFixture() {
    o.display.stopBoardPattern = 10;  // standing at a station's stop mark
    sounds.setLength(DoorOpen, 2);
    sounds.setLength(DoorClose, 4);
  }
};

TEST(DoorOperate, OpensOnlyAStandingTrainAtAStopMark) {
  const struct {
    long double speed;
    int board;
    bool opens;
  } cases[] = {{0, 10, true},     {0.09L, 10, true}, {-0.09L, 10, true},
               {0.1L, 10, false}, {0.2L, 10, false}, {0, 0, false}};
  for (const auto& c : cases) {
    DoorFixture f;
    f.t.speed = c.speed;
    f.o.display.stopBoardPattern = c.board;
    Door_operate(f.t, f.o, f.lamps, f.doorSpec, f.sounds);
    EXPECT_EQ(f.t.doorsOpen, c.opens) << static_cast<double>(c.speed);
    EXPECT_EQ(f.t.doorRequest, c.opens);
    EXPECT_EQ(f.sounds.plays(DoorOpen), c.opens ? 1 : 0);
  }
}

TEST(DoorOperate, OneManDoorSoundFollowsTheBoardingDraw) {
  for (const int draw : {30, 31}) {
    DoorFixture f;
    f.doorSpec.oneMan = true;
    f.o.zoneDoorprob = 30;
    f.o.boardingRandom = draw;
    f.o.display.carsText = "10両";
    Door_operate(f.t, f.o, f.lamps, f.doorSpec, f.sounds);
    EXPECT_TRUE(f.t.doorsOpen);
    EXPECT_EQ(f.sounds.plays(DoorOpen), draw <= 30 ? 1 : 0);
    EXPECT_EQ(f.o.display.carsText, "");
  }
}

// Step 6 of the tick on a sequence of ticks: the doors count as closed on the
// first tick after the closing sound has ended, and once only.
TEST(DoorClosedDetection, FiresOnceOnTheFirstTickAfterTheCloseSound) {
  DoorFixture f;
  Door_operate(f.t, f.o, f.lamps, f.doorSpec, f.sounds);  // open
  ASSERT_TRUE(f.t.doorsOpen);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(doorClosedDetection(f.t, f.o, f.lamps, f.doorSpec, f.sounds));
    f.sounds.advance();
  }
  Door_operate(f.t, f.o, f.lamps, f.doorSpec, f.sounds);  // start closing: 4 ticks of sound
  EXPECT_TRUE(f.t.doorsOpen);
  EXPECT_FALSE(f.t.doorRequest);
  int fired = 0, firstTick = -1;
  for (int tick = 0; tick < 10; ++tick) {
    if (doorClosedDetection(f.t, f.o, f.lamps, f.doorSpec, f.sounds)) {
      ++fired;
      if (firstTick < 0) firstTick = tick;
    }
    f.sounds.advance();
  }
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(firstTick, 4);
  EXPECT_FALSE(f.t.doorsOpen);
  EXPECT_TRUE(f.lamps.door);
  EXPECT_EQ(f.o.doorCloseCount, 1);
  EXPECT_EQ(f.sounds.plays(DepSign), 1);
}

TEST(DoorClosingCounter, CountsWhileClosingAndResetsWhenClosed) {
  TrainState t;
  StationState o;
  t.doorsOpen = true;
  t.doorRequest = true;
  doorClosingCounter(t, o);
  EXPECT_EQ(o.doorClosingTicks, 0);
  t.doorRequest = false;
  doorClosingCounter(t, o);
  doorClosingCounter(t, o);
  EXPECT_EQ(o.doorClosingTicks, 2);
  t.doorRequest = true;  // open again: kept
  doorClosingCounter(t, o);
  EXPECT_EQ(o.doorClosingTicks, 2);
  t.doorsOpen = false;
  t.doorRequest = false;
  doorClosingCounter(t, o);
  EXPECT_EQ(o.doorClosingTicks, 0);
}

TEST(AutomaticDoorClosing, StartsClosingAboveFiveKmPerHour) {
  for (const long double speed : {5.0L, 5.1L, -5.1L}) {
    DoorFixture f;
    Door_operate(f.t, f.o, f.lamps, f.doorSpec, f.sounds);
    f.t.speed = speed;
    automaticDoorClosing(f.t, f.o, f.lamps, f.doorSpec, f.sounds);
    EXPECT_EQ(f.t.doorRequest, speed == 5.0L) << static_cast<double>(speed);
  }
}

TEST(Blinking, DarkOnFiveToNineLitOnTenToFourteen) {
  bool lit = true;
  for (int tick = 1; tick <= 30; ++tick) {
    lit = blinkPhase(tick, lit);
    const int phase = tick % 10;
    EXPECT_EQ(lit, phase < 5) << tick;
  }
}

}  // namespace
}  // namespace cab
