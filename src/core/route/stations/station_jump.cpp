#include "core/route/stations/station_jump.h"

#include "core/data/route_data.h"
#include "core/route/stations/stations.h"
#include "core/route/stations/timetable_clock.h"

namespace cab {

int stationDeparture(const StationTable& s, int t) {
  const StationData& stop = s[t];
  if (stop.deptime != 0) return stop.deptime;
  std::optional<TimedPoint> before, after;
  for (int p = t - 1; p >= 0 && !before; --p)
    if (s[p].deptime != 0) before = TimedPoint{s[p].deptime, static_cast<long double>(s[p].position)};
  for (int q = t + 1; q < s.count() && !after; ++q)
    if (s[q].deptime != 0) after = TimedPoint{s[q].deptime, static_cast<long double>(s[q].position)};
  return interpolatedDeparture(before, after, stop.position).value_or(0);
}

int stationClock(const StationTable& s, const RouteSounds& sounds, int t) {
  const StationData& stop = s[t];
  return stationDeparture(s, t) - sounds.clockLength(stop.depsound) - sounds.clockLength(stop.arrsound);
}

std::optional<int> firstAnnouncementFrom(const RouteData& r, int t) {
  for (int k = 1; k <= r.AnnounceCount; ++k) {
    const AnnounceData& a = r.Announce[static_cast<std::size_t>(k)];
    if (a.station >= t && a.kind == 0) return k;
  }
  return std::nullopt;
}

bool signalAhead(const RouteData& r, int frame) {
  for (int i = 0; i < r.SignalCount; ++i) {
    const SignalData& s = r.Signal[static_cast<std::size_t>(i)];
    if (s.startFrame < frame && frame < s.positionFrame) return true;
  }
  return false;
}

}  // namespace cab
