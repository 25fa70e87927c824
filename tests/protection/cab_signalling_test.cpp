#include "core/route/protection/cab_signalling.h"

#include <gtest/gtest.h>

#include "tests/protection/protection_fixture.h"

namespace cab {
namespace {

// Cab signalling with the speed steps 0, 25 and 45 km/h on pictures 35 to 37.
class CabSignalling : public ::testing::Test, protected testing::ProtectionFixture {
 protected:
  CabSignalling() {
    vehicle.ATS_Type = 2;
    vehicle.cabLayout.LampSignalSpeeds[0] = 0;
    vehicle.cabLayout.LampSignalSpeeds[1] = 25;
    vehicle.cabLayout.LampSignalSpeeds[2] = 45;
    vehicle.cabLayout.LampSignalSpeedCount = 3;
  }
  void check(int picture, long double speed) {
    train.speed = speed;
    cabSignalling(train, p, context(), picture);
  }
};

TEST_F(CabSignalling, BrakesFromFourTenthsBelowTheSignalledSpeed) {
  check(37, 44.5L);
  EXPECT_FALSE(p.atsServiceBrake || p.atcBraking);
  clearDelayPending();
  check(37, 44.7L);
  EXPECT_TRUE(p.atsServiceBrake);
  EXPECT_FALSE(p.atsEmergency);
  EXPECT_TRUE(p.atcBraking);
  EXPECT_TRUE(delayPending() && train.powerDelayPending);
  // Below the threshold the service brake is released.
  clearDelayPending();
  check(37, 44.0L);
  EXPECT_FALSE(p.atsServiceBrake || p.atcBraking);
  EXPECT_TRUE(delayPending());
}

TEST_F(CabSignalling, TheStopPictureBrakesForGood) {
  check(35, 5);
  EXPECT_TRUE(p.atsEmergency);
  EXPECT_FALSE(p.atsServiceBrake);
  // A better signal releases the over-speed braking, but not the emergency
  // brake: only the reset does.
  check(36, 0);
  EXPECT_FALSE(p.atcBraking);
  EXPECT_TRUE(p.atsEmergency);
}

TEST_F(CabSignalling, WorksWithPowerOffAndOnlyOnCabSignalPictures) {
  p.atsPowerOn = false;
  check(36, 30);
  EXPECT_TRUE(p.atsServiceBrake);
  p = ProtectionState{};
  check(16, 130);  // a lineside picture carries no speed
  EXPECT_FALSE(p.atsServiceBrake || p.atsEmergency);
  vehicle.ATS_Type = 0;
  check(36, 30);
  EXPECT_FALSE(p.atsServiceBrake);
}

}  // namespace
}  // namespace cab
