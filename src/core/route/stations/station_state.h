#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cab {

// What the station logic shows: its texts (the door text names the chosen
// door side on one-man routes that show it), the stop-position board pattern
// (0 none, 1 to 5 the 50 m to 300 m boards, 10 + i the stop mark of station
// i) and the cab monitor picture's pattern.
struct StationDisplay {
  std::string stationText, carsText, doorText, prevStationText, nextStationText, clockText, maxSpeedText;
  int stopBoardPattern = 0;
  int monitorPattern = 0;
};

// The stations' state: the next stop and the distance to it, the stop
// cycle's counters and latches, one set of done flags per station, and the
// texts the stations show.
struct StationState {
  int clockSecondShown = 0;
  int sectionMaxSpeed = 0;
  int nextStopIndex = 0;
  long double nextStopPosition = 0;   // cm
  long double remainingDistance = 0;  // cm to the next stop, negative after an overrun
  int doorCloseCount = 0;
  int zoneStation = 0;
  int arrivalClock = 0;
  bool departureCalloutArmed = false;
  int zoneDoorprob = 0;
  int boardingRandom = 0;
  bool runEnding = false;
  int doorClosingTicks = 0;  // ticks the doors have stayed open after a close request
  std::vector<bool> inZone, arrived, departed, doorsClosedAtStation, oneManDoorDone;  // one per station
  StationDisplay display;

  // Clears the done flags of `count` stations (and of the row after the last).
  void clearDoneFlags(std::size_t count) {
    for (auto* flags : {&inZone, &arrived, &departed, &doorsClosedAtStation, &oneManDoorDone})
      flags->assign(count + 1, false);
  }
};

}  // namespace cab
