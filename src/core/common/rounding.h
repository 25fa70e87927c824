#pragma once

#include <cstdint>

namespace cab {

// Round to nearest, ties to even (the data's "Round").
std::int64_t Round(long double x);

// Round ties away from zero: trunc(x + 0.5) for x >= 0, trunc(x - 0.5) otherwise.
std::int64_t roundHalfAway(long double x);

}  // namespace cab
