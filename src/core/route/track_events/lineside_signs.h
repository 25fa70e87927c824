#pragma once

#include <span>

#include "core/data/route_records.h"

namespace cab {

struct TrackEventState;

// What the timed check points and the sign's switch read.
struct SignConditions {
  int frame = 0;                      // video frame
  long double speed = 0;              // km/h
  long double remainingDistance = 0;  // cm to the next stop
  int clock = 0;                      // 1/30 s
};

// The sign step: a "[Sign]" row the train is in shows its picture and, at
// its switch time, the next one; a "[Time]" row shows the time sign while
// the train runs more than 100 m before its stop; with neither the sign is
// hidden. Returns true when a new picture came up, so that its call-out is
// due again.
bool updateSigns(TrackEventState& s, std::span<const SignData> signs, std::span<const TimeData> times,
                 const SignConditions& c);

}  // namespace cab
