#pragma once

#include <optional>
#include <string>

namespace cab {

// The timetable clock counts 1/30 s from 00:00:00.
constexpr int ClockUnitsPerSecond = 30;

// Writes the clock text "HH:MM:SS" for `time` when its seconds field differs
// from the one last written; otherwise the text keeps its value.
void timecalc(int time, int& clockSecondShown, std::string& clockText);

// A station's departure time together with the lengths (whole seconds) of
// its arrival and departure sounds.
struct TimedStop {
  int deptime = 0;
  int arrivalSoundSeconds = 0;
  int departureSoundSeconds = 0;
};

// The clock at the start of a drive: the run starts so that the start
// station's arrival and departure sounds end at its departure time. From the
// first station only the departure sound is counted.
int startClock(int startStation, const TimedStop& stop);

// The clock of a station without a timetable time, interpolated by position
// between the nearest timed stations before (p) and after (q) it. A missing
// neighbour, or two neighbours at one position, gives the other neighbour's
// time; with neither the result is empty.
struct TimedPoint {
  int deptime = 0;
  long double position = 0;  // cm
};
std::optional<int> interpolatedDeparture(const std::optional<TimedPoint>& p, const std::optional<TimedPoint>& q,
                                         long double position);

}  // namespace cab
