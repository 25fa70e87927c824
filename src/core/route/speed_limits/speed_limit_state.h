#pragma once

#include <array>
#include <optional>

namespace cab {

// One limit or speed check ahead: the route row, its speed, the distance the
// train needs to slow down to it from the present speed and how far ahead it is.
struct ApproachEntry {
  static constexpr int LimitActive = 0;  // the `state` of a limit entry in use
  static constexpr int CheckActive = 1;  // the `state` of a check entry in use
  static constexpr int None = 9;
  int state = None;
  int row = 0;
  int limit = 0;            // km/h
  int brakingDistance = 0;  // cm
  int remaining = 0;        // cm

  bool active() const { return state != None; }
  // The train has to start braking for it now.
  bool withinBrakingDistance() const { return active() && remaining < brakingDistance; }
};

// A limit or check within braking distance: its speed and how far ahead it is.
struct LimitAhead {
  int limit = 0;   // km/h
  int metres = 0;  // rounded, ties to even
};

// What the driver is told of the limits and checks ahead, each absent when
// the train need not brake for it yet.
struct SpeedLimitInformation {
  std::optional<LimitAhead> limit;    // the nearest "[SpeedLimit]"
  std::optional<LimitAhead> check;    // the nearest "[SpeedCheck1]"
  std::optional<int> followingLimit;  // km/h: the limit or check after it
};

// The speed limits ahead and the speed-limit sign over the video. The
// sprite "img_unten_limit" shows `limitSignPattern` (0: nothing) while the
// cab lamp `limitSign` is lit; that lamp blinks during an approach.
struct SpeedLimitState {
  static constexpr int NoImage = 999;
  // Rebuilt every tick: the next three "[SpeedLimit]" and "[SpeedCheck1]" rows.
  std::array<ApproachEntry, 3> limitEntries{};
  std::array<ApproachEntry, 3> checkEntries{};
  bool limitApproach = false;    // the sign warns of a limit ahead
  bool limitPassing = false;     // the sign marks the end of a limit
  int limitSignImage = NoImage;  // the approach or end sign's picture; also the limit call-out's index
  int limitSignSpeed = 0;        // km/h of the section whose sign stands, 0 none
  bool limitSignSetThisTick = false;
  int limitSignPattern = 0;
  SpeedLimitInformation information;
};

}  // namespace cab
