#include "core/route/track_events/gradient.h"

#include <algorithm>
#include <cmath>

#include "core/common/rounding.h"
#include "core/route/track_events/track_event_state.h"

namespace cab {

namespace {

void sampleCarGradient(TrackEventState& s, long double position) {
  s.lastShiftPosition = position;
  auto& cars = s.carGradient;
  if (cars.empty()) return;
  std::rotate(cars.rbegin(), cars.rbegin() + 1, cars.rend());
  cars.front() = Fixed4(Round(s.gradient));
  long double sum = 0;
  for (const Fixed4& g : cars) sum += g;
  s.avgGradient = sum / static_cast<long double>(cars.size());
}

}  // namespace

void updateGradient(TrackEventState& s, std::span<const SlopeData> slopes, int frame, long double position,
                    long double carLength) {
  if (std::fabs(position - s.lastShiftPosition) > 100 * carLength) sampleCarGradient(s, position);
  for (std::size_t r = 0; r < slopes.size(); ++r) {
    const SlopeData& row = slopes[r];
    if (row.startFrame < frame && frame < row.endFrame) {
      if (row.gradient.raw() != 0 && row.gradient.raw() != s.gradient.raw()) s.gradientPost = static_cast<int>(r) + 1;
      s.gradient = row.gradient;
    }
    const bool beforeNext = r + 1 == slopes.size() || frame < slopes[r + 1].startFrame;
    if (row.endFrame < frame && beforeNext) {
      s.gradientPost = 0;
      s.gradient = Fixed4{};
    }
  }
}

}  // namespace cab
