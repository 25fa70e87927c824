#pragma once

#include <optional>

namespace cab {

class StationTable;
struct RouteData;
struct RouteSounds;

// A station's departure time: its timetable time, or for a station without
// one a time interpolated between its timed neighbours.
int stationDeparture(const StationTable& s, int t);

// The clock of a jump to station t: its departure time less its two sounds.
int stationClock(const StationTable& s, const RouteSounds& sounds, int t);

// The first announcement (kind 0) at or after station t, rows 1 on.
std::optional<int> firstAnnouncementFrom(const RouteData& r, int t);

// Whether a signal's approach range holds the frame.
bool signalAhead(const RouteData& r, int frame);

}  // namespace cab
