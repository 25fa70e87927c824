#include "core/route/protection/spot_bell.h"

#include <gtest/gtest.h>

#include "tests/protection/protection_fixture.h"

namespace cab {
namespace {

using testing::AckTone;
using testing::Bell;
using testing::Chime;

// The spot type with "[ATS_Time]" 5 on a train braking at B3.
class SpotType : public ::testing::Test, protected testing::ProtectionFixture {
 protected:
  SpotType() { train.brakeHandle = -3; }
  void tick() {
    spotTypeBell(train, p, context());
    sounds.advance();
  }
  void acknowledge() { AtsAcknowledge(train, p, context()); }
};

TEST_F(SpotType, AStopWarningRingsTheBellAndBrakesAfterTheAlarmTime) {
  p.signalLimit = 998;
  tick();
  EXPECT_TRUE(p.atsAlarm);
  EXPECT_TRUE(sounds.isPlaying(Bell));
  EXPECT_TRUE(lamps.ats1 && lamps.ats2);
  EXPECT_FALSE(lamps.ats3);
  EXPECT_FALSE(p.atsEmergency);  // a warning, not yet a stop point
  // Unacknowledged, the emergency brake follows on the alarm's 50th tick.
  for (int i = 2; i < 50; ++i) tick();
  EXPECT_FALSE(p.atsEmergency);
  train.powerNotch = 3;
  clearDelayPending();
  tick();
  EXPECT_TRUE(p.atsEmergency);
  EXPECT_EQ(train.powerNotch, 0);
  EXPECT_TRUE(delayPending());
  EXPECT_EQ(p.atsAlarmTicks, 0);
}

TEST_F(SpotType, AnAcknowledgedBellTurnsIntoTheChimeAndDoesNotBrake) {
  p.signalLimit = 998;
  vehicle.ATS_Cnt = 0;
  tick();
  for (int i = 0; i < 20; ++i) tick();
  acknowledge();
  EXPECT_FALSE(p.atsAlarm);
  EXPECT_TRUE(p.atsConfirmed);
  EXPECT_EQ(p.atsAlarmTicks, 0);
  // The acknowledgement holds with the handle at EB (elsewhere the warning
  // raises the alarm again on every tick); the bell gives way to the chime.
  train.brakeHandle = -vehicle.Brake;
  tick();
  EXPECT_FALSE(sounds.isPlaying(Bell));
  EXPECT_TRUE(sounds.isPlaying(Chime));  // "[ATS_Cnt]" 0: it loops
  EXPECT_TRUE(lamps.ats1 && lamps.ats3);
  EXPECT_FALSE(lamps.ats2);
  for (int i = 0; i < 100; ++i) tick();
  EXPECT_FALSE(p.atsEmergency);
  // Moving, the chime before a stop signal keeps sounding; standing, the key stops it.
  acknowledge();
  EXPECT_TRUE(sounds.isPlaying(Chime));
  train.speed = 0.4L;
  acknowledge();
  EXPECT_FALSE(sounds.isPlaying(Chime));
  EXPECT_EQ(sounds.plays(AckTone), 1);
  EXPECT_FALSE(lamps.ats3);
}

TEST_F(SpotType, AcknowledgementNeedsABrakingHandleAndNoEmergency) {
  struct Case {
    const char* name;
    int brakeType, brakeHandle;
    bool emergency, accepted;
  } cases[] = {{"service step", 1, -3, false, true},
               {"released handle", 1, 0, false, false},
               {"automatic brake at its first position", 0, -1, false, false},
               {"automatic brake applying", 0, -3, false, true},
               {"emergency brake already applied", 1, -3, true, false}};
  for (const Case& c : cases) {
    p = ProtectionState{};
    p.atsAlarm = true;
    p.atsEmergency = c.emergency;
    vehicle.BrakeType = c.brakeType;
    train.brakeHandle = c.brakeHandle;
    acknowledge();
    EXPECT_EQ(p.atsConfirmed, c.accepted) << c.name;
    EXPECT_EQ(p.atsAlarm, !c.accepted) << c.name;
  }
}

TEST_F(SpotType, AStopPointWhileTheBellStartsBrakesAtOnce) {
  p.signalLimit = 0;
  tick();
  EXPECT_TRUE(p.atsEmergency);
  EXPECT_TRUE(delayPending());
}

TEST_F(SpotType, ResetReleasesTheBrakesOfAStandingTrain) {
  struct Case {
    const char* name;
    bool emergency, service;
    int brakeHandle;
    long double speed;
    bool released;
  } cases[] = {{"emergency at EB standing", true, false, -9, 0, true},
               {"emergency at EB still rolling", true, false, -9, 0.1L, false},
               {"emergency with the handle short of EB", true, false, -8, 0, false},
               {"pattern brake at B1", false, true, -1, 0, true},
               {"pattern brake released handle", false, true, 0, 0, false},
               {"nothing to reset", false, false, -9, 0, false}};
  for (const Case& c : cases) {
    p = ProtectionState{};
    p.atsEmergency = c.emergency;
    p.atsServiceBrake = c.service;
    p.patternState = 3;
    p.signalLimit = 0;
    train.brakeHandle = c.brakeHandle;
    train.speed = c.speed;
    AtsReset(train, p, context());
    EXPECT_EQ(!p.atsEmergency && !p.atsServiceBrake && (c.emergency || c.service), c.released) << c.name;
    if (!c.released) continue;
    EXPECT_EQ(p.patternState, 0) << c.name;
    EXPECT_EQ(p.signalLimit, 999) << c.name;
    EXPECT_TRUE(p.atsConfirmed) << c.name;
    EXPECT_TRUE(lamps.ats1 && !lamps.ats2 && !lamps.ats3) << c.name;
  }
}

TEST_F(SpotType, ResetSilencesTheBellWithTheAcknowledgementTone) {
  p.signalLimit = 0;
  tick();
  ASSERT_TRUE(p.atsEmergency);
  train.speed = 0;
  train.brakeHandle = -vehicle.Brake;
  AtsReset(train, p, context());
  EXPECT_FALSE(sounds.isPlaying(Bell));
  EXPECT_EQ(sounds.plays(AckTone), 1);
  EXPECT_FALSE(p.atsAlarm);
}

TEST_F(SpotType, PowerOffOrAnotherTypeRingsNothing) {
  p.signalLimit = 998;
  p.atsPowerOn = false;
  for (int i = 0; i < 60; ++i) tick();
  EXPECT_FALSE(p.atsAlarm || p.atsEmergency);
  EXPECT_EQ(sounds.plays(Bell), 0);
  // The pattern type has no bell, but a raised alarm still times out.
  p.atsPowerOn = true;
  vehicle.ATS_Type = 1;
  tick();
  EXPECT_FALSE(p.atsAlarm);
  p.atsAlarm = true;
  for (int i = 0; i < 50; ++i) tick();
  EXPECT_TRUE(p.atsEmergency);
  EXPECT_EQ(sounds.plays(Bell), 0);
}

}  // namespace
}  // namespace cab
