#include "core/route/stations/timetable_clock.h"

#include "core/common/rounding.h"

namespace cab {

namespace {

std::string twoDigits(int value) {
  std::string text = std::to_string(value);
  return text.size() == 1 ? "0" + text : text;
}

}  // namespace

void timecalc(int time, int& clockSecondShown, std::string& clockText) {
  const int s = time / ClockUnitsPerSecond;
  const int h = s / 3600;
  const int m = (s - 3600 * h) / 60;
  const int x = s - 3600 * h - 60 * m;
  if (x == clockSecondShown) return;
  clockSecondShown = x;
  clockText = twoDigits(h) + ":" + twoDigits(m) + ":" + twoDigits(x);
}

int startClock(int startStation, const TimedStop& stop) {
  const int departure = stop.deptime - ClockUnitsPerSecond * stop.departureSoundSeconds;
  if (startStation < 1) return departure;
  return departure - ClockUnitsPerSecond * stop.arrivalSoundSeconds;
}

std::optional<int> interpolatedDeparture(const std::optional<TimedPoint>& p, const std::optional<TimedPoint>& q,
                                         long double position) {
  if (p && q && q->position != p->position) {
    const long double rate = static_cast<long double>(q->deptime - p->deptime) / (q->position - p->position);
    return static_cast<int>(Round(rate * (position - p->position) + p->deptime));
  }
  if (p) return p->deptime;
  if (q) return q->deptime;
  return std::nullopt;
}

}  // namespace cab
