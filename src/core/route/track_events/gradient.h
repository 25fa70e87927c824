#pragma once

#include <span>

#include "core/data/route_records.h"

namespace cab {

struct TrackEventState;

// The gradient step: each time the train has run one car length
// (`carLength` m) the head's gradient is sampled into the car queue and the
// train's average taken anew; then the "[Slope]" row the head is in (by
// video `frame`) sets the head's gradient and the gradient post.
void updateGradient(TrackEventState& s, std::span<const SlopeData> slopes, int frame, long double position,
                    long double carLength);

}  // namespace cab
