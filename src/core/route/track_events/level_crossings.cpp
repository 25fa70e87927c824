#include "core/route/track_events/level_crossings.h"

#include <algorithm>

#include "core/route/track_events/track_event_state.h"

namespace cab {

namespace {

// The rows queue for 20 frames from their start and leave for 20 frames from their end.
constexpr int WindowFrames = 20;

void enqueue(TrackEventState& s, int row) {
  auto& q = s.crossingQueue;
  if (std::find(q.begin(), q.end(), row) != q.end()) return;
  if (auto free = std::find(q.begin(), q.end(), -1); free != q.end()) *free = row;
}

bool stationDeparted(const std::vector<bool>& departed, int station) {
  return station >= 0 && static_cast<std::size_t>(station) < departed.size() &&
         departed[static_cast<std::size_t>(station)];
}

void showHead(TrackEventState& s, std::span<const CrossData> crossings, const std::vector<bool>& departed) {
  const int head = s.crossingQueue.front();
  if (head < 0 || static_cast<std::size_t>(head) >= crossings.size()) return;
  const CrossData& row = crossings[static_cast<std::size_t>(head)];
  s.crossingLampLit = row.switchIdx > 0 && !stationDeparted(departed, row.switchIdx);
  s.crossingPattern = row.image;
  s.shownCrossing = head;
}

}  // namespace

void shiftCrossingQueue(TrackEventState& s) {
  auto& q = s.crossingQueue;
  std::shift_left(q.begin(), q.end(), 1);
  q.back() = -1;
  if (q.front() == -1) s.shownCrossing = -1;
}

void updateLevelCrossings(TrackEventState& s, std::span<const CrossData> crossings, int frame,
                          const std::vector<bool>& departed) {
  bool atAStart = false;
  for (std::size_t r = 0; r < crossings.size(); ++r) {
    const CrossData& row = crossings[r];
    const int index = static_cast<int>(r);
    if (row.startFrame <= frame && frame < row.startFrame + WindowFrames) {
      atAStart = true;
      enqueue(s, index);
    }
    if (row.endFrame <= frame && frame < row.endFrame + WindowFrames) {
      // A later crossing at the head: this one has left the queue already.
      if (s.crossingQueue.front() > index) break;
      shiftCrossingQueue(s);
    }
  }
  const int head = s.crossingQueue.front();
  if (!atAStart && head != -1 && head != s.shownCrossing) showHead(s, crossings, departed);
  if (head == -1) {
    s.crossingPattern = 0;
    s.crossingLampLit = false;
  }
}

void rebuildCrossingQueue(TrackEventState& s, std::span<const CrossData> crossings, int frame) {
  s.crossingQueue = TrackEventState::emptyCrossingQueue();
  s.shownCrossing = -1;
  s.crossingPattern = 0;
  s.crossingLampLit = false;
  for (std::size_t r = 0; r < crossings.size(); ++r)
    if (crossings[r].startFrame <= frame && frame < crossings[r].endFrame) enqueue(s, static_cast<int>(r));
}

}  // namespace cab
