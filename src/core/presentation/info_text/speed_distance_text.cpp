#include "core/presentation/info_text/speed_distance_text.h"

#include <cmath>
#include <cstdint>

#include "core/common/rounding.h"

namespace cab {

namespace {

// x with `decimals` decimals, rounded half away from zero, right-aligned in
// `width` characters. A value that rounds to zero has no sign.
std::string fixedText(long double x, int width, int decimals) {
  std::int64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const std::int64_t units = roundHalfAway(x * static_cast<long double>(scale));
  const std::uint64_t magnitude = static_cast<std::uint64_t>(units < 0 ? -units : units);
  std::string text = std::to_string(magnitude / static_cast<std::uint64_t>(scale));
  if (decimals > 0) {
    std::string fraction = std::to_string(magnitude % static_cast<std::uint64_t>(scale));
    text += '.' + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
  }
  if (units < 0) text.insert(text.begin(), '-');
  if (text.size() < static_cast<std::size_t>(width)) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

}  // namespace

std::string speedText(long double speed) { return fixedText(speed, 5, 1) + " km/h"; }

std::string distanceText(long double remainingCm) {
  const long double metres = remainingCm / 100;
  const long double d = std::fabs(remainingCm);
  const int decimals = d > 1000 ? 0 : d > 500 ? 1 : 2;
  return fixedText(metres, 5, decimals) + " m";
}

void speedAndDistanceTexts(UiText& ui, long double speed, long double remainingCm) {
  ui.speedText = speedText(speed);
  ui.distanceText = distanceText(remainingCm);
}

}  // namespace cab
