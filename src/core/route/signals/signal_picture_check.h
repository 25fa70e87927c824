#pragma once

#include <span>

#include "core/data/route_records.h"

namespace cab {

// How many pictures (patterns) the route's four signal pictures hold: the
// main head, the sub-signal and the left and right indicators; 0 for a
// picture the route does not have, which nothing is checked against.
struct SignalPictureCounts {
  int main = 0, sub = 0, left = 0, right = 0;
};

// Every picture a "[Signal]" row can show must exist: the main head's
// pictures for its head type (as the vehicle's "[ATS_Type]" and "[MaxSpeed]"
// show them), the sub-signal, and the indicators with their stop
// alternatives. A missing one is a route-file error naming the row, the
// picture and the patterns there are.
void checkSignalPictures(std::span<const SignalData> rows, const SignalPictureCounts& counts, int atsType,
                         int maxSpeedKmh);

}  // namespace cab
