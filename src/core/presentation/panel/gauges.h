#pragma once

#include <optional>

#include "core/data/cab_layout.h"
#include "core/presentation/panel/panel_state.h"

namespace cab {

// The layout gives needle angles in degrees; the renderer turns by 1/1024 of
// a turn, and the panel scales with 1023/360 (1023 is just under a turn).
inline constexpr long double AngleUnitsPerDegree = 1023.0L / 360;

// A needle at (value × one + zero) degrees, in renderer units.
long double needleAngle(const Meter& m, long double value);

// The speedometer, in renderer units: a first scale of `c` degrees per km/h
// up to 10 km/h when c is not 0, continuous with the main scale there.
// Nothing (the needle stays) while reversing below 1 km/h and from 160 km/h.
std::optional<long double> speedometerAngle(const Meter& m, long double speed);

// The ammeter by its `sign`: 0 the signed current, 1 its magnitude, 2 the
// needle stays at `zero` (taken as renderer units). Nothing for another sign.
std::optional<long double> ammeterAngle(const Meter& m, int ammeter);

// The pressure the brake-cylinder gauges show: the trailer's with "[Mc]" 0,
// the motor car's with 1; nothing with another "[Mc]".
std::optional<long double> bcGaugePressure(int mc, long double bcTrailer, long double bcMotor);

// The brake-cylinder needle averages its last ten angles (newest first): the
// samples move one place toward the old end, the newest becomes the rounded
// angle of `pressure` (or repeats the previous one without a pressure), and
// the needle stands at their mean.
long double pushBcSample(std::array<long double, CabPanelState::BcSampleCount>& samples, const Meter& bc,
                         std::optional<long double> pressure);

// A bar gauge's top: `zero` at value 0, rising `one` pixels per unit.
int barTop(const Meter& m, long double value);

// The digital speedometer's frame (n shows n km/h); nothing from 200 km/h,
// where the last frame stays.
std::optional<int> digitalSpeedPattern(long double speed);

}  // namespace cab
