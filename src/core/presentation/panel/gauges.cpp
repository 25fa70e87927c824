#include "core/presentation/panel/gauges.h"

#include <cmath>
#include <cstdlib>
#include <numeric>

#include "core/common/rounding.h"

namespace cab {

namespace {

constexpr long double SpeedometerLimit = 160;  // km/h: the needle stops following here
constexpr long double FirstScaleEnd = 10;      // km/h covered by the first scale
constexpr int DigitalSpeedLimit = 200;         // km/h

}  // namespace

long double needleAngle(const Meter& m, long double value) { return (value * m.one + m.zero) * AngleUnitsPerDegree; }

std::optional<long double> speedometerAngle(const Meter& m, long double speed) {
  const long double v = std::fabs(speed);
  if (v >= SpeedometerLimit || (speed < 0 && v < 1)) return std::nullopt;
  if (m.c == 0) return needleAngle(m, v);
  if (v < FirstScaleEnd) return (v * m.c + m.zero) * AngleUnitsPerDegree;
  return (v * m.one + m.zero - (m.one - m.c) * FirstScaleEnd) * AngleUnitsPerDegree;
}

std::optional<long double> ammeterAngle(const Meter& m, int ammeter) {
  switch (m.sign) {
    case 0:
      return needleAngle(m, ammeter);
    case 1:
      return needleAngle(m, std::abs(ammeter));
    case 2:
      return m.zero;
    default:
      return std::nullopt;
  }
}

std::optional<long double> bcGaugePressure(int mc, long double bcTrailer, long double bcMotor) {
  if (mc == 0) return bcTrailer;
  if (mc == 1) return bcMotor;
  return std::nullopt;
}

long double pushBcSample(std::array<long double, CabPanelState::BcSampleCount>& samples, const Meter& bc,
                         std::optional<long double> pressure) {
  for (std::size_t i = samples.size() - 1; i > 0; --i) samples[i] = samples[i - 1];
  if (pressure) samples[0] = static_cast<long double>(roundHalfAway(needleAngle(bc, *pressure)));
  return std::accumulate(samples.begin(), samples.end(), 0.0L) / static_cast<long double>(samples.size());
}

int barTop(const Meter& m, long double value) { return m.zero - static_cast<int>(roundHalfAway(value * m.one)); }

std::optional<int> digitalSpeedPattern(long double speed) {
  const int shown = static_cast<int>(roundHalfAway(speed));
  if (shown >= DigitalSpeedLimit) return std::nullopt;
  return std::abs(shown);
}

}  // namespace cab
