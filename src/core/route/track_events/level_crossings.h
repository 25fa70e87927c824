#pragma once

#include <span>
#include <vector>

#include "core/data/route_records.h"

namespace cab {

struct TrackEventState;

// The level-crossing step: a "[Cross]" row whose start the train reaches
// joins the queue, its end takes the head out, and the indicator shows the
// head's picture (its second lamp lit while the station the row depends on
// has not departed, `departed` per station) or, with none, pattern 0.
void updateLevelCrossings(TrackEventState& s, std::span<const CrossData> crossings, int frame,
                          const std::vector<bool>& departed);

// Takes the head out of the queue (its end passed, or its call-out made);
// an emptied queue has no crossing on the indicator.
void shiftCrossingQueue(TrackEventState& s);

// After a jump: the queue emptied and the indicator dark, then every
// crossing whose range contains `frame` queued in row order.
void rebuildCrossingQueue(TrackEventState& s, std::span<const CrossData> crossings, int frame);

}  // namespace cab
