#include "core/presentation/panel/gauges.h"

#include <gtest/gtest.h>

namespace cab {
namespace {

constexpr long double K = 1023.0L / 360;

Meter dial(int zero, long double one, long double c = 0, int sign = 0) {
  Meter m;
  m.zero = zero;
  m.one = one;
  m.c = c;
  m.sign = sign;
  return m;
}

void expectAngle(std::optional<long double> got, std::optional<long double> want, const char* what) {
  ASSERT_EQ(got.has_value(), want.has_value()) << what;
  if (want) {
    EXPECT_NEAR(static_cast<double>(*got), static_cast<double>(*want), 1e-9) << what;
  }
}

TEST(Gauges, SpeedometerScalesAndWhereTheNeedleStays) {
  const Meter oneScale = dial(-135, 2.25);
  const Meter twoScales = dial(-135, 2.25, 4);
  struct Case {
    const char* what;
    const Meter& m;
    long double speed;
    std::optional<long double> degrees;  // nothing: the needle keeps its angle
  } cases[] = {
      {"one scale", oneScale, 40, -45},
      {"one scale at rest", oneScale, 0, -135},
      {"first scale below 10 km/h", twoScales, 5, 5 * 4 - 135},
      {"first scale just below 10", twoScales, 9.999L, 9.999L * 4 - 135},
      {"main scale at 10, continuous", twoScales, 10, 10 * 4 - 135},
      {"main scale above 10", twoScales, 60, 60 * 2.25L - 135 - (2.25L - 4) * 10},
      {"reversing below 1 km/h", oneScale, -0.5L, std::nullopt},
      {"reversing at 1 km/h", oneScale, -1, 2.25L - 135},
      {"reversing faster shows the magnitude", twoScales, -5, 5 * 4 - 135},
      {"just below 160", oneScale, 159.9L, 159.9L * 2.25L - 135},
      {"160 and above", oneScale, 160, std::nullopt},
      {"160 backwards", oneScale, -170, std::nullopt},
  };
  for (const Case& c : cases)
    expectAngle(speedometerAngle(c.m, c.speed), c.degrees ? std::optional(*c.degrees * K) : std::nullopt, c.what);
}

TEST(Gauges, NeedlesAndTheAmmeterModes) {
  expectAngle(needleAngle(dial(-135, 0.3375L), 440), (440 * 0.3375L - 135) * K, "pressure gauge");
  expectAngle(needleAngle(dial(-135, -30), 4.5L), (-135 - 135) * K, "negative scale");
  struct Case {
    int sign;
    int ammeter;
    std::optional<long double> angle;
  } cases[] = {
      {0, -200, (-200 * 0.27L + 30) * K},  // signed
      {1, -200, (200 * 0.27L + 30) * K},   // magnitude
      {2, -200, 30},                       // stays at zero, taken as renderer units
      {3, -200, std::nullopt},             // no such mode: the needle stays
  };
  for (const Case& c : cases) expectAngle(ammeterAngle(dial(30, 0.27L, 0, c.sign), c.ammeter), c.angle, "ammeter");
}

TEST(Gauges, BrakeCylinderNeedleFollowsAFullApplicationOverTenFrames) {
  const Meter bc = dial(-135, 0.3375L);
  std::array<long double, CabPanelState::BcSampleCount> samples{};
  samples.fill(CabPanelState::BcSampleStart);
  // (440 × 0.3375 - 135) × 1023/360 = 38.36: each sample is rounded to 38.
  for (int frame = 1; frame <= 9; ++frame) {
    const long double mean = pushBcSample(samples, bc, 440.0L);
    EXPECT_NEAR(static_cast<double>(mean), (frame * 38 + (10 - frame) * 240) / 10.0, 1e-9) << frame;
  }
  EXPECT_EQ(pushBcSample(samples, bc, 440.0L), 38);
  EXPECT_EQ(pushBcSample(samples, bc, 440.0L), 38);
  // Releasing starts the needle back on the next frame.
  EXPECT_NEAR(static_cast<double>(pushBcSample(samples, bc, 0.0L)), (9 * 38 + -384) / 10.0, 1e-9);
  // Without a pressure the newest sample repeats the previous one.
  EXPECT_EQ(pushBcSample(samples, bc, std::nullopt), (8 * 38 + 2 * -384) / 10.0L);
  EXPECT_EQ(samples[0], -384);
  EXPECT_EQ(samples[1], -384);
}

TEST(Gauges, TheBrakeCylinderGaugesShowTheCarThatMcNames) {
  EXPECT_EQ(bcGaugePressure(0, 300, 400), 300);
  EXPECT_EQ(bcGaugePressure(1, 300, 400), 400);
  EXPECT_EQ(bcGaugePressure(2, 300, 400), std::nullopt);
}

TEST(Gauges, BarTopsRiseWithTheValueRoundedHalfAway) {
  struct Case {
    int zero;
    long double one, value;
    int top;
  } cases[] = {
      {785, 0.1L, 0, 785},     {785, 0.1L, 440, 741}, {785, 0.5L, 5, 782},  // 2.5 rounds to 3
      {785, 0.5L, -5, 788},                                                 // -2.5 to -3
      {500, 0.08L, 1000, 420},
  };
  for (const Case& c : cases) EXPECT_EQ(barTop(dial(c.zero, c.one), c.value), c.top) << c.value;
}

TEST(Gauges, DigitalSpeedFrames) {
  struct Case {
    long double speed;
    std::optional<int> frame;
  } cases[] = {
      {0, 0}, {49.4L, 49}, {49.5L, 50}, {-3.5L, 4}, {199.49L, 199}, {199.5L, std::nullopt}, {250, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(digitalSpeedPattern(c.speed), c.frame) << static_cast<double>(c.speed);
}

}  // namespace
}  // namespace cab
