#include "core/route/speed_limits/speed_limit_approach.h"

#include <cstddef>

#include "core/common/rounding.h"
#include "core/route/callouts/callout_state.h"
#include "core/route/operation_state.h"
#include "core/route/signals/signal_state.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int EndSignFrames = 200;  // an end sign stands this long after the limit's end

// The first row whose point lies ahead of the train, in table order; the
// row count when none does.
template <class Row>
int firstRowAhead(std::span<const Row> rows, long double position) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].positionDistance > position) return static_cast<int>(i);
  return static_cast<int>(rows.size());
}

template <class Row>
ApproachEntry entryFor(int state, int row, const Row& r, const TrainState& t) {
  return {state, row, r.limit, brakingDistance(r.limit, t.speed),
          static_cast<int>(Round(r.positionDistance - t.position))};
}

bool showsStop(const SignalState& signals, int signal) {
  return signal >= 0 && static_cast<std::size_t>(signal) < signals.aspect.size() &&
         signals.aspect[static_cast<std::size_t>(signal)] == 0;
}

// Within braking distance of the next limit: its sign, blinking.
bool showApproachSign(std::span<const SpeedLimitData> limits, SpeedLimitState& s) {
  const ApproachEntry& next = s.limitEntries[0];
  if (!next.withinBrakingDistance()) return false;
  const int image = limits[static_cast<std::size_t>(next.row)].signImage;
  if (image != s.limitSignImage) s.limitSignPattern = image;
  s.limitSignImage = image;
  s.limitApproach = true;
  s.limitPassing = false;
  s.limitSignSetThisTick = true;
  return true;
}

// Inside a limit its sign stands steady; a new section calls for a new call-out.
void showSectionSign(std::span<const SpeedLimitData> limits, int frame, SpeedLimitState& s, CabLamps& lamps,
                     CalloutState& callouts) {
  for (const SpeedLimitData& r : limits) {
    if (r.positionFrame > frame || frame >= r.endFrame) continue;
    s.limitApproach = false;
    s.limitPassing = false;
    lamps.limitSign = true;
    if (r.limit != s.limitSignSpeed) {
      s.limitSignPattern = r.signImage;
      callouts.lastCallout = 0;
    }
    s.limitSignSpeed = r.limit;
    s.limitSignSetThisTick = true;
  }
}

std::optional<LimitAhead> ahead(const ApproachEntry& e) {
  if (!e.withinBrakingDistance()) return std::nullopt;
  return LimitAhead{e.limit, static_cast<int>(Round(static_cast<long double>(e.remaining) / 100))};
}

SpeedLimitInformation information(const SpeedLimitState& s) {
  SpeedLimitInformation info;
  info.limit = ahead(s.limitEntries[0]);
  info.check = ahead(s.checkEntries[0]);
  if (s.limitEntries[1].withinBrakingDistance()) info.followingLimit = s.limitEntries[1].limit;
  if (s.checkEntries[1].withinBrakingDistance()) info.followingLimit = s.checkEntries[1].limit;
  return info;
}

// After a limit's end its end sign stands for a while; then, or when nothing
// else holds the sign, it is taken down.
void showEndSign(std::span<const SpeedLimitData> limits, int frame, SpeedLimitState& s) {
  if (!s.limitApproach) {
    for (const SpeedLimitData& r : limits) {
      if (r.endImage == 0) continue;
      if (r.endFrame < frame && frame < r.endFrame + EndSignFrames) {
        s.limitSignPattern = r.endImage;
        s.limitPassing = true;
        s.limitSignImage = r.endImage;
      } else if (r.endFrame + EndSignFrames <= frame && frame < r.endFrame + 2 * EndSignFrames) {
        s.limitPassing = false;
      }
    }
  }
  if (s.limitPassing && s.limitApproach) s.limitPassing = false;
  if (s.limitSignPattern != 0 && !s.limitPassing) {
    s.limitSignPattern = 0;
    s.limitSignSpeed = 0;
    s.limitSignImage = SpeedLimitState::NoImage;
  }
}

}  // namespace

int nextMovieStop(std::span<const int> movieStops, int frame) {
  for (int stop : movieStops)
    if (stop > frame) return stop;
  return NoMovieStop;
}

int brakingDistance(int limit, long double speed) {
  const long double u = limit, v = speed;
  if (u < v) return static_cast<int>(Round((u + v) * (v - u) / 21.6L + v) * 100);
  return static_cast<int>(roundHalfAway(v) * 200);
}

void findLimitEntries(const TrainState& t, const SpeedLimitRoute& route, SpeedLimitState& s) {
  const std::span<const SpeedLimitData> rows = route.limits;
  const std::size_t j = static_cast<std::size_t>(firstRowAhead(rows, t.position));
  // The video's run ends at the next movie stop: a limit beyond it is not on
  // this stretch.
  const bool onThisStretch = j < rows.size() && rows[j].positionFrame < nextMovieStop(route.movieStops, t.frame);
  for (std::size_t e = 0; e < s.limitEntries.size(); ++e) {
    const std::size_t row = j + e;
    s.limitEntries[e] = onThisStretch && row < rows.size()
                            ? entryFor(ApproachEntry::LimitActive, static_cast<int>(row), rows[row], t)
                            : ApproachEntry{};
  }
}

void findCheckEntries(const TrainState& t, std::span<const SpeedCheckData> checks, const SignalState& signals,
                      SpeedLimitState& s) {
  const std::size_t j = static_cast<std::size_t>(firstRowAhead(checks, t.position));
  for (std::size_t e = 0; e < s.checkEntries.size(); ++e) {
    const std::size_t row = j + e;
    const bool applies =
        row < checks.size() && (checks[row].linkedSignal == 0 || showsStop(signals, checks[row].linkedSignal));
    s.checkEntries[e] =
        applies ? entryFor(ApproachEntry::CheckActive, static_cast<int>(row), checks[row], t) : ApproachEntry{};
  }
}

void speedLimitApproach(const TrainState& t, const SpeedLimitRoute& route, const SignalState& signals,
                        SpeedLimitState& s, CabLamps& lamps, CalloutState& callouts) {
  s.limitSignSetThisTick = false;
  findLimitEntries(t, route, s);
  findCheckEntries(t, route.checks, signals, s);
  if (!showApproachSign(route.limits, s)) showSectionSign(route.limits, t.frame, s, lamps, callouts);
  s.information = information(s);
  if (!s.limitSignSetThisTick) showEndSign(route.limits, t.frame, s);
}

void startSpeedLimits(SpeedLimitState& s, CabLamps& lamps) {
  s = SpeedLimitState{};
  lamps.limitSign = true;
}

}  // namespace cab
