// The gradient the car queue averages, handed to the physics step: the
// descent's hold-back and constant speed on a climb.
#include <gtest/gtest.h>

#include <vector>

#include "core/common/frame_timing.h"
#include "core/route/track_events/gradient.h"
#include "core/route/track_events/track_event_state.h"
#include "core/vehicle/keisan.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/resistance.h"
#include "core/vehicle/track_conditions.h"
#include "core/vehicle/train_state.h"
#include "tests/vehicle/fixture_vehicles.h"

namespace cab {
namespace {

// The small electric train (4 cars) running at `speed` after its whole
// length has come onto a slope of `gradient` per mille.
struct OnSlope {
  VehicleSpec vehicle = testing::smallElectric();
  TrainState train;
  TrackConditions track;
  FrameTiming timing;

  OnSlope(long double gradient, long double speed) {
    TrackEventState s;
    startTrackEvents(s, vehicle.Cars, {});
    const std::vector<SlopeData> slopes{{Fixed4(gradient), 0, 100000}};
    for (int car = 0; car <= vehicle.Cars; ++car) updateGradient(s, slopes, 10, 2001.0L * car, 20);
    track.gradient = s.avgGradient;
    train.speed = speed;
    train.trainMass = 100;
    train.motorMass = 40;
    train.trailerMass = 60;
    train.mrPressure = 880;
    timing.frameMs = 20;
    timing.framesPerSecond = 50;
  }
};

TEST(PhysicsOnGradient, TheAverageReachesThePhysicsAsTheSlopesPull) {
  OnSlope climb(10, 40);
  EXPECT_EQ(climb.track.gradient, 10);
  keisan(climb.train, climb.vehicle, {}, climb.track, climb.timing);
  const long double expected = gradientForce(100, 10) + runningForce(100, 40, climb.vehicle.Cars);
  EXPECT_NEAR(static_cast<double>(climb.train.resistForce), static_cast<double>(expected), 1e-3);
}

TEST(PhysicsOnGradient, HoldBackKeepsTheSpeedOnADescent) {
  OnSlope descent(-10, 50);
  descent.train.holdBack = true;
  for (int i = 0; i < 500; ++i) keisan(descent.train, descent.vehicle, {}, descent.track, descent.timing);
  EXPECT_NEAR(static_cast<double>(descent.train.speed), 50, 1e-9);
  OnSlope free(-10, 50);  // without it the train runs away
  for (int i = 0; i < 500; ++i) keisan(free.train, free.vehicle, {}, free.track, free.timing);
  EXPECT_GT(free.train.speed, 52);
}

TEST(PhysicsOnGradient, ConstantSpeedHoldsOnAClimb) {
  OnSlope climb(10, 50);
  climb.train.constSpeed = 1;
  for (int i = 0; i < 500; ++i) keisan(climb.train, climb.vehicle, {}, climb.track, climb.timing);
  EXPECT_NEAR(static_cast<double>(climb.train.speed), 50, 1e-9);
  EXPECT_NEAR(static_cast<double>(climb.train.tractiveForce), -static_cast<double>(climb.train.resistForce), 1e-3);
}

}  // namespace
}  // namespace cab
