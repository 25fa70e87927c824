#include "core/route/protection/pattern_speeds.h"

#include <gtest/gtest.h>

#include "core/route/protection/protection_state.h"

namespace cab {
namespace {

constexpr int MaxSpeed = 70;  // the section's line speed: no pattern is 80
constexpr int Preset = 110;   // the proceed aspect's speed

struct SpeedCase {
  const char* name;
  int endType;  // 0 the scan ran past every point
  int patternSpeed;
  long double targetAhead;  // cm from the train to the pattern's target
  int brake, warning;
};

class PatternSpeedTable : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(PatternSpeedTable, BrakeAndWarningSpeeds) {
  const SpeedCase& c = GetParam();
  ProtectionState p;
  p.patternSpeed = c.patternSpeed;
  const long double train = 50000;
  p.patternPosition = train + c.targetAhead;
  const PatternSpeeds s = patternSpeeds(p, c.endType, train, MaxSpeed, Preset);
  EXPECT_EQ(s.brake, c.brake);
  EXPECT_EQ(s.warning, c.warning);
}

// f(x) = round-half-away(sqrt(x / 100 * 25.2 + v0^2)).
INSTANTIATE_TEST_SUITE_P(
    Patterns, PatternSpeedTable,
    ::testing::Values(
        // A stop signal (v0 10 km/h) 100 m ahead: sqrt(2368) = 48.7, sqrt(1108) = 33.3.
        SpeedCase{"stop_signal_100m", 2, 10, 10000, 49, 33},
        // Within 60 m the warning is v0 - 10; the brake pattern still falls off.
        SpeedCase{"stop_signal_50m", 2, 10, 5000, 33, 0},
        // Within the 10 m margin B stands at the target, and for a signal point never below 10.
        SpeedCase{"stop_signal_8m", 2, 10, 800, 10, 0}, SpeedCase{"signal_point_of_a_5kmh_limit", 2, 5, 800, 10, -5},
        // Past the target the speeds keep the preset, cut to the line speed + 10.
        SpeedCase{"stop_signal_passed", 2, 10, -500, 80, 80},
        // A 45 km/h limit (pattern 50) 300 m ahead: sqrt(9808) = 99.0 is cut to 80;
        // 240 m: sqrt(6548) = 80.9 cut; 100 m: sqrt(4768) = 69.1 and sqrt(3508) = 59.2.
        SpeedCase{"limit_300m", 1, 50, 30000, 80, 80}, SpeedCase{"limit_100m", 1, 50, 10000, 69, 59},
        SpeedCase{"limit_at_60m", 1, 50, 6000, 61, 50}, SpeedCase{"limit_at_10m", 1, 50, 1000, 50, 50},
        // A station stop (v0 0) 80 m ahead: B = sqrt(2016) = 44.9, W = sqrt(756) = 27.5;
        // within 50 m W = -10; just short of the target B stays at least 1.
        SpeedCase{"station_80m", 3, 0, 8000, 45, 27}, SpeedCase{"station_40m", 3, 0, 4000, 32, -10},
        SpeedCase{"station_1mm", 3, 0, 0.1L, 1, -10}, SpeedCase{"station_passed", 3, 0, 0, 80, 80},
        // No pattern: both at the line speed + 10, whatever the point.
        SpeedCase{"no_pattern", 2, MaxSpeed + 10, 0, 80, 80},
        // The scan ran past every point: the preset stays.
        SpeedCase{"scan_ran_past", 0, 10, 10000, Preset, Preset},
        // A pattern speed at or above the line speed leaves the preset.
        SpeedCase{"pattern_above_line_speed", 1, 75, 10000, Preset, Preset}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cab
