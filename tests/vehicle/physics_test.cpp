#include <gtest/gtest.h>

#include <cmath>

#include "core/common/frame_timing.h"
#include "core/vehicle/adhesion.h"
#include "core/vehicle/brake_context.h"
#include "core/vehicle/brake_force.h"
#include "core/vehicle/electro_pneumatic_brake.h"
#include "core/vehicle/keisan.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/resistance.h"
#include "core/vehicle/track_conditions.h"
#include "core/vehicle/traction.h"
#include "tests/vehicle/fixture_vehicles.h"

namespace cab {
namespace {

constexpr double Tolerance = 1e-3;  // N, kPa: the fixed-point stores round to 1/10000

TrainState moving(long double speed, int notch) {
  TrainState t;
  t.speed = speed;
  t.powerNotch = t.powerHandle = notch;
  t.trainMass = 100;
  t.motorMass = 40;
  t.trailerMass = 60;
  return t;
}

TEST(Traction, NotchCurveRegions) {
  const VehicleSpec v = testing::smallElectric();  // notch 2: a0 2.5, a1 2.0, v1 35, v2 60, e 1.5
  const long double perAccel = 100 * 1000 / 3.6L;
  struct Case {
    long double speed;
    long double expected;
  } cases[] = {
      {0, perAccel * 2.5L},
      {14, perAccel * (2.5L + 14 * (2.0L - 2.5L) / 35)},
      {50, perAccel * (35 * 2.0L / 50)},
      {80.4L, perAccel * (35 * 2.0L / 60) * std::pow(60.0L, 1.5L) / std::pow(80.0L, 1.5L)},
      {80.5L, perAccel * (35 * 2.0L / 60) * std::pow(60.0L, 1.5L) / std::pow(81.0L, 1.5L)},
      {-50, -perAccel * (35 * 2.0L / 50)},
  };
  for (const Case& c : cases) {
    TrainState t = moving(c.speed, 2);
    if (c.speed < 0) t.reverser = -1;
    EXPECT_NEAR(static_cast<double>(tractionForce(t, v, {})), static_cast<double>(c.expected), Tolerance)
        << static_cast<double>(c.speed);
  }
}

TEST(Traction, ConstantAccelerationRowAndCuts) {
  VehicleSpec v = testing::smallElectric();
  v.Notch[0] = NotchRow{-1.5, 0, 10, 50, 0, 0};
  const long double perAccel = 100 * 1000 / 3.6L;
  EXPECT_NEAR(static_cast<double>(tractionForce(moving(20, 1), v, {})), static_cast<double>(perAccel * -1.5L),
              Tolerance);
  EXPECT_EQ(tractionForce(moving(5, 1), v, {}), 0);
  EXPECT_EQ(tractionForce(moving(50, 1), v, {}), 0);
  EXPECT_EQ(tractionForce(moving(120, 2), v, {}), 0);                   // top speed
  EXPECT_EQ(tractionForce(moving(20, 2), v, {false, false, true}), 0);  // protection brake
  TrainState neutral = moving(20, 2);
  neutral.reverser = 0;
  EXPECT_EQ(tractionForce(neutral, v, {}), 0);
  TrainState braking = moving(20, 2);
  braking.brakeHandle = -1;
  EXPECT_EQ(tractionForce(braking, v, {}), 0);
  v.DoorLock = 1;
  TrainState open = moving(20, 2);
  open.doorsOpen = true;
  EXPECT_EQ(tractionForce(open, v, {}), 0);
}

TEST(Traction, ZeroDivisorsGiveNoForce) {
  VehicleSpec v = testing::smallElectric();
  v.Notch[0] = NotchRow{2.5, 2.0, 0, 0, 1.5, 0};
  for (long double speed : {0.0L, 0.2L, 10.0L}) {
    const long double f = tractionForce(moving(speed, 1), v, {});
    EXPECT_TRUE(std::isfinite(static_cast<double>(f)));
  }
  v.Power_Type = 0;  // resistor control without a current limit
  EXPECT_EQ(tractionForce(moving(10, 1), v, {}), 0);
}

TEST(Resistance, Terms) {
  const long double m = 100;
  EXPECT_NEAR(static_cast<double>(gradientForce(m, 10)),
              static_cast<double>(-m * 1000 * 9.8L * 10 / std::sqrt(1000000.0L + 100)), Tolerance);
  EXPECT_NEAR(static_cast<double>(tunnelForce(m, -40, 0.5L)), static_cast<double>(-9.8L * m * 1600 * 0.5L / 10000),
              Tolerance);
  EXPECT_NEAR(static_cast<double>(startingForce(m, 1)), static_cast<double>(-9.8L * m * 2), Tolerance);
  EXPECT_NEAR(static_cast<double>(startingForce(m, -1)), static_cast<double>(9.8L * m * 2), Tolerance);
  const long double r60 = 9.8L * (m * (1.32L + 0.0164L * 60) + (0.028L + 0.0078L * 3) * 3600);
  EXPECT_NEAR(static_cast<double>(runningForce(m, 60, 4)), static_cast<double>(-r60), Tolerance);
  EXPECT_NEAR(static_cast<double>(runningForce(m, -60, 4)), static_cast<double>(r60), Tolerance);
  EXPECT_EQ(runningForce(m, 0.1L, 4), 0);
}

TEST(Adhesion, SlipAboveTheMotorCarsLimit) {
  const VehicleSpec v = testing::smallElectric();
  TrainState t = moving(10, 4);
  updateAdhesion(t, t.powerNotch, 0.2L);
  const long double adhesion = 0.2L * (1 + 0.279L * 10) / (1 + 0.367L * 10);
  EXPECT_NEAR(static_cast<double>(t.adhesion.value()), static_cast<double>(adhesion), 1e-4);
  updateAdhesionLimit(t, v, t.powerNotch);
  const long double limit = 9.8L * 40 * 1000 * t.adhesion;  // motor cars carry the power
  EXPECT_NEAR(static_cast<double>(t.adhesionLimit.value()), static_cast<double>(limit), Tolerance);
  t.tractiveForce = limit - 1;
  applySlipAndSlide(t, v, t.powerNotch);
  EXPECT_EQ(t.adhesionLabel, "");
  t.tractiveForce = limit + 1;
  applySlipAndSlide(t, v, t.powerNotch);
  EXPECT_EQ(t.adhesionLabel, "空転");
  EXPECT_NEAR(static_cast<double>(t.tractiveForce.value()), static_cast<double>(limit / 2), Tolerance);
}

TEST(Adhesion, SlideUnderBrake) {
  const VehicleSpec v = testing::smallElectric();
  TrainState t = moving(50, 0);
  t.brakeCommand = -5;
  updateAdhesion(t, t.powerNotch, 0.2L);
  EXPECT_NEAR(static_cast<double>(t.adhesion.value()), static_cast<double>(0.2L / (1 + 0.0059L * 50)), 1e-4);
  updateAdhesionLimit(t, v, t.powerNotch);
  const long double limit = 9.8L * 100 * 1000 * t.adhesion;
  t.tractiveForce = -limit - 1;
  applySlipAndSlide(t, v, t.powerNotch);
  EXPECT_EQ(t.adhesionLabel, "滑走");
  EXPECT_NEAR(static_cast<double>(t.tractiveForce.value()), static_cast<double>(-0.66L * limit), Tolerance);
}

TEST(Brakes, ForceAtEmergencyPressure) {
  const VehicleSpec v = testing::smallElectric();  // 4.5 km/h/s at EB pressure; V 30 km/h; k 0.02
  TrainState t = moving(20, 0);
  t.emergencyBc = 480;
  t.bcTrailer = t.bcMotor = 480;
  updateBrakeForce(t, v);
  const long double ratio = ((1 + 0.01L * 20) / (1 + 0.02L * 20)) / ((1 + 0.01L * 30) / (1 + 0.02L * 30));
  const long double expected = Fixed4(ratio).value() * 1000 * (60 * 480 + 40 * 480) * 4.5L / 480 / 3.6L;
  EXPECT_NEAR(static_cast<double>(t.brakeForce.value()), static_cast<double>(expected), Tolerance);
  // Above V the shoes give their nominal friction: 4.5 km/h/s on 100 t.
  t.speed = 60;
  updateBrakeForce(t, v);
  EXPECT_NEAR(static_cast<double>(t.brakeForce.value()), static_cast<double>(100 * 1000 * 4.5L / 3.6L), Tolerance);
  t.emergencyBc = 0;  // no emergency pressure: no air brake force, never a division by 0
  updateBrakeForce(t, v);
  EXPECT_EQ(t.brakeForce.raw(), 0);
}

TEST(Brakes, CylinderRiseAndReleaseRates) {
  const VehicleSpec v = testing::smallElectric();  // BrakeUp 200, BrakeDown 180 kPa/s
  TrainState t;
  t.mrPressure = 880;
  t.serviceMaxBc = 440;
  t.emergencyBc = 480;
  t.brakeCommand = -7;  // full service: target 440
  const long double f = 50;
  const BrakeStep step{t, v, {}, f};
  updateElectroPneumaticBrake(step);
  EXPECT_NEAR(static_cast<double>(t.bcTrailer.value()), 200.0 / 50, Tolerance);
  EXPECT_NEAR(static_cast<double>(t.bcMotor.value()), 200.0 / 50, Tolerance);
  // Release at running: base 1.5 from 300 kPa.
  t.brakeCommand = 0;
  t.erPressure = 490;
  t.bcTrailer = t.bcMotor = 300;
  updateElectroPneumaticBrake(step);
  const long double drop = (180.0L / f) / (10 * std::pow(1.5L, -300.0L / 10) + 1);
  EXPECT_NEAR(static_cast<double>(t.bcMotor.value()), static_cast<double>(300 - drop), Tolerance);
  // Emergency: 1.3 x the rise rate.
  t.brakeCommand = -8;
  t.bcTrailer = t.bcMotor = 0;
  updateElectroPneumaticBrake(step);
  EXPECT_NEAR(static_cast<double>(t.bcMotor.value()), 1.3 * 200 / 50, Tolerance);
  // Loss of main-reservoir air applies the brakes in the release position.
  t.brakeCommand = 0;
  t.mrPressure = 300;
  t.bcTrailer = t.bcMotor = 0;
  updateElectroPneumaticBrake(step);
  EXPECT_NEAR(static_cast<double>(t.bcMotor.value()), 1.3 * 200 / 50, Tolerance);
}

TEST(Keisan, AcceleratesBrakesAndStops) {
  const VehicleSpec v = testing::smallElectric();
  TrainState t = moving(0, 1);
  t.brakeHandle = t.brakeCommand = t.sapCommand = 0;
  t.mrPressure = 880;
  t.serviceMaxBc = 440;
  t.emergencyBc = 480;
  const ProtectionFlags none;
  const TrackConditions track;
  FrameTiming timing;
  timing.frameMs = 20;
  timing.framesPerSecond = 50;
  // First step: notch 1 at standstill, minus the starting resistance.
  keisan(t, v, none, track, timing);
  const long double force = 100 * 1000 * 2.5L / 3.6L - 9.8L * 100 * 3;
  EXPECT_NEAR(static_cast<double>(t.speed), static_cast<double>(3.6L * force / (100 * 1000) / 50), 1e-6);
  int clock = 0;
  for (int i = 0; i < 500; ++i) clock += keisan(t, v, none, track, timing).clockUnits;
  EXPECT_GT(t.speed, 20);
  EXPECT_GT(t.position, 0);
  EXPECT_NEAR(clock, 500 * 20 / 33.3, 1);  // 1/30 s clock units, counted in steps of 33.3 ms
  t.powerHandle = t.powerNotch = 0;
  t.brakeHandle = t.brakeCommand = -7;
  for (int i = 0; i < 3000 && t.speed > 0; ++i) keisan(t, v, none, track, timing);
  EXPECT_EQ(t.speed, 0);  // the brakes never drive it backwards
  for (int i = 0; i < 50; ++i) keisan(t, v, none, track, timing);
  EXPECT_EQ(t.speed, 0);
  EXPECT_GT(t.bcMotor, 400);
}

TEST(Keisan, PositionFollowsTheRecordedStretch) {
  const VehicleSpec v = testing::smallElectric();
  FrameTiming timing;
  timing.frameMs = 20;
  timing.framesPerSecond = 50;
  // Stretch rows 0 [0, 1000 cm), 1 [1000, 3000 cm), 2 [3000, 6000 cm).
  const FilmSpeed rows[] = {{0, 30, 0, 1000}, {1, 40, 1000, 3000}, {2, 50, 3000, 6000}};
  struct Case {
    int previousRow;
    int row;
    long double position;
    long double snapped;  // the position before this step's distance is added
  } cases[] = {
      {-1, 1, 1500, 1500},  // no previous stretch: nothing to snap to
      {1, 1, 1500, 1500},   // the same stretch
      {0, 1, 950, 1000},    // forward into the next stretch: its start
      {0, 2, 950, 3000},    // forward over a whole stretch: the new one's start
      {2, 1, 3050, 3000},   // back into an earlier stretch: its end
      {1, 0, 1020, 0},      // into the first stretch: the start of the video
  };
  for (const Case& c : cases) {
    TrainState t = moving(36, 0);  // 36 km/h: 20 cm a 20 ms step
    t.brakeHandle = t.brakeCommand = t.sapCommand = 0;
    t.position = c.position;
    t.filmSpeedRow = c.previousRow;
    TrackConditions track;
    track.film = rows[c.row];
    EXPECT_TRUE(keisan(t, v, ProtectionFlags{}, track, timing).moved);
    const long double expected = c.snapped + t.stepDistance;
    EXPECT_NEAR(static_cast<double>(t.position), static_cast<double>(expected), 1e-6) << c.previousRow << c.row;
    EXPECT_EQ(t.filmSpeedRow, c.row);
    EXPECT_EQ(t.filmSpeed, rows[c.row].filmSpeed);
  }
}

}  // namespace
}  // namespace cab
