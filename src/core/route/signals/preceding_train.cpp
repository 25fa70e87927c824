#include "core/route/signals/preceding_train.h"

#include <algorithm>
#include <optional>
#include <span>

#include "core/common/film_frames.h"
#include "core/data/route_data.h"
#include "core/data/route_positions.h"
#include "core/route/signals/signal_state.h"

namespace cab {

namespace {

std::span<const PreTrainData> preTrainRows(const RouteData& route) {
  const int count = std::clamp(route.PreTrainCount, 0, static_cast<int>(route.PreTrain.size()));
  return std::span(route.PreTrain).first(static_cast<std::size_t>(count));
}

// Where the preceding train stands at a row's station; nothing for a station
// the route does not have.
std::optional<int> tailOf(const RouteData& route, const PreTrainData& row) {
  const int stations = std::min(route.StationCount, static_cast<int>(route.Station.size()));
  if (row.station < 0 || row.station >= stations) return std::nullopt;
  return route.Station[static_cast<std::size_t>(row.station)].tail;
}

// The speed from the stretch between a row's station and the next row's: the
// row's running speed once its departure time has passed, else it waits.
void takeRowSpeed(SignalState& s, const RouteData& route, int clock) {
  const auto rows = preTrainRows(route);
  for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
    const auto from = tailOf(route, rows[r]), to = tailOf(route, rows[r + 1]);
    if (!from || !to) continue;
    if (*from <= s.preTrainFrame && s.preTrainFrame < *to)
      s.preTrainSpeed = rows[r].deptime < clock ? rows[r].speed : 0;
  }
}

}  // namespace

void advancePrecedingTrain(SignalState& s, const RouteData& route, const PrecedingTrainStep& step) {
  if (s.preTrainFrame < step.trainFrame) return;
  takeRowSpeed(s, route, step.clock);
  if (const auto film = filmSpeedAt(route, s.preTrainFrame)) s.preTrainFilmSpeed = film->filmSpeed;
  advanceFilmFrames(s.preTrainFrame, s.preTrainAccumulator, s.preTrainSpeed, s.preTrainFilmSpeed, step.videoFrameRate,
                    step.frameMs);
}

void precedingTrainLeaves(SignalState& s, const RouteData& route) {
  if (s.preTrainFrame > route.PreTrainLimit) s.preTrainFrame = 0;
}

int precedingTrainAfterJump(const RouteData& route, int clock) {
  const auto rows = preTrainRows(route);
  int frame = 0;
  for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
    if (rows[r].deptime > clock || clock >= rows[r + 1].deptime) continue;
    if (const auto tail = tailOf(route, rows[r + 1])) frame = *tail;
  }
  return frame;
}

}  // namespace cab
