#include "core/common/rounding.h"

#include <cmath>
#include <limits>

namespace cab {

namespace {

// Values outside the 64-bit range (or NaN) saturate instead of invoking
// undefined conversion behaviour.
std::int64_t toInt64(long double x) {
  constexpr long double Max = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
  constexpr long double Min = static_cast<long double>(std::numeric_limits<std::int64_t>::min());
  if (std::isnan(x)) return 0;
  if (x >= Max) return std::numeric_limits<std::int64_t>::max();
  if (x <= Min) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(x);
}

}  // namespace

std::int64_t Round(long double x) {
  // nearbyintl uses the current rounding mode, which is round-to-nearest-even by default.
  return toInt64(std::nearbyintl(x));
}

std::int64_t roundHalfAway(long double x) {
  return toInt64(x >= 0 ? std::truncl(x + 0.5L) : std::truncl(x - 0.5L));
}

}  // namespace cab
