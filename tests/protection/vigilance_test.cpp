#include "core/route/protection/vigilance.h"

#include <gtest/gtest.h>

#include "core/route/protection/roll_back.h"
#include "tests/protection/protection_fixture.h"

namespace cab {
namespace {

using testing::Atc;
using testing::Buzzer;

class Vigilance : public ::testing::Test, protected testing::ProtectionFixture {
 protected:
  Vigilance() { lamps.eb = false; }
  // Ticks at a steady 60 km/h; the seconds of the first tick in which `event` holds.
  template <class Event>
  double secondsUntil(Event event, int limit = 1000) {
    for (int tick = 1; tick <= limit; ++tick) {
      vigilanceDevice(train, fitted, p, context());
      sounds.advance();
      if (event()) return tick / 10.0;
    }
    return -1;
  }
  int fitted = 1;
};

TEST_F(Vigilance, WithoutInputTheBuzzerSoundsAfter60SecondsAndTheBrakeAfter65) {
  EXPECT_DOUBLE_EQ(secondsUntil([&] { return sounds.isPlaying(Buzzer); }), 60.1);
  EXPECT_TRUE(lamps.eb);
  EXPECT_FALSE(p.ebDeviceTrip);
  clearDelayPending();
  EXPECT_DOUBLE_EQ(secondsUntil([&] { return p.ebDeviceTrip; }), 5.0);  // at 65.1 s
  EXPECT_TRUE(delayPending() && train.powerDelayPending);
  EXPECT_EQ(p.ebDeviceTicks, 0);
  // An input does not release the trip; the handle at EB does.
  vigilanceInput(p, context());
  EXPECT_TRUE(sounds.isPlaying(Buzzer));
  train.brakeHandle = -vehicle.Brake;
  vigilanceDevice(train, fitted, p, context());
  EXPECT_FALSE(p.ebDeviceTrip);
  EXPECT_FALSE(sounds.isPlaying(Buzzer));
  EXPECT_FALSE(lamps.eb);
}

TEST_F(Vigilance, AnInputStartsTheCountAgain) {
  EXPECT_GT(secondsUntil([&] { return sounds.isPlaying(Buzzer); }), 0);
  vigilanceInput(p, context());
  EXPECT_FALSE(sounds.isPlaying(Buzzer));
  EXPECT_FALSE(lamps.eb);
  EXPECT_DOUBLE_EQ(secondsUntil([&] { return sounds.isPlaying(Buzzer); }), 60.1);
}

TEST_F(Vigilance, StandingDoesNotCountAndAutomaticRunningSwitchesTheDeviceOff) {
  train.speed = 1;
  EXPECT_EQ(secondsUntil([&] { return p.ebDeviceTicks > 0; }, 100), -1);
  train.speed = 60;
  train.autoRunning = true;
  vigilanceDevice(train, fitted, p, context());
  EXPECT_EQ(fitted, 0);
  train.autoRunning = false;
  EXPECT_EQ(secondsUntil([&] { return p.ebDeviceTrip; }), -1);
  train.speedHold = true;
  fitted = 1;
  vigilanceDevice(train, fitted, p, context());
  EXPECT_EQ(fitted, 0);
}

TEST(RollBack, RollingBackFasterThan7KmhBrakes) {
  testing::ProtectionFixture f;
  f.vehicle.Back = 1;
  f.p.atsPowerOn = false;  // works without protection power
  const struct {
    int reverser;
    long double speed;
    bool brakes;
  } cases[] = {{1, -6.9L, false}, {1, -7.1L, true}, {-1, 7.1L, true}, {-1, -20, false}, {0, -20, false}};
  for (const auto& c : cases) {
    f.p.atsEmergency = false;
    f.train.reverser = c.reverser;
    f.train.speed = c.speed;
    rollBackProtection(f.train, f.p, f.context());
    EXPECT_EQ(f.p.atsEmergency, c.brakes) << c.reverser << " " << static_cast<double>(c.speed);
  }
  EXPECT_EQ(f.sounds.plays(Atc), 2);
  f.vehicle.Back = 0;
  f.p.atsEmergency = false;
  f.train.reverser = 1;
  f.train.speed = -20;
  rollBackProtection(f.train, f.p, f.context());
  EXPECT_FALSE(f.p.atsEmergency);
}

}  // namespace
}  // namespace cab
