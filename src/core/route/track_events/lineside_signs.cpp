#include "core/route/track_events/lineside_signs.h"

#include "core/route/track_events/track_event_state.h"

namespace cab {

namespace {

void showSign(TrackEventState& s, int picture) {
  s.signVisible = true;
  s.signPattern = picture;
  s.shownSign = picture;
}

// Up to 999 the switch time counts seconds after the sign appeared; above it
// is a time of day. 0 never switches.
bool switchDue(const SignData& row, const TrackEventState& s, int clock) {
  return (row.switchTime > 0 && row.switchTime * 10 < s.signTicks) || (row.switchTime > 999 && row.switchTime < clock);
}

}  // namespace

bool updateSigns(TrackEventState& s, std::span<const SignData> signs, std::span<const TimeData> times,
                 const SignConditions& c) {
  bool matched = false;
  bool newPicture = false;
  for (const SignData& row : signs) {
    if (c.frame < row.startFrame || c.frame >= row.endFrame) continue;
    matched = true;
    if (s.shownSign == TrackEventState::NoPicture) {
      showSign(s, row.image);
      s.signTicks = 0;
      newPicture = true;
    }
    if (!switchDue(row, s, c.clock)) {
      s.signTicks += 1;
    } else if (row.image + 1 != s.shownSign) {
      showSign(s, row.image + 1);
      newPicture = true;
    }
  }
  for (const TimeData& row : times) {
    if (c.frame <= row.startFrame || c.frame >= row.endFrame) continue;
    if (c.speed <= 1 || c.remainingDistance <= 10000) continue;
    matched = true;
    if (s.shownSign == TrackEventState::NoPicture) {
      showSign(s, 0);
      s.shownSign = TrackEventState::TimeSign;
      newPicture = true;
    }
  }
  if (!matched) {
    s.signVisible = false;
    s.shownSign = TrackEventState::NoPicture;
  }
  return newPicture;
}

}  // namespace cab
