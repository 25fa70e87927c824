#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/common/fixed4.h"

namespace cab {

// Lamps of the cab panel the tick lights and darkens; the panel shows each
// configured lamp's sprite while its flag is set.
struct CabLamps {
  static constexpr int OthersCapacity = 11;
  bool door = true;  // doors closed
  bool power = false;
  bool gen = false;
  bool ele = false;
  bool fin = false;
  bool air = false;
  bool constant = false;
  bool stop = false;
  bool limitSign = false;                     // the speed-limit sign image, blinking while a limit approaches
  std::array<bool, OthersCapacity> others{};  // "[Others]" pictures
};

// What the station logic shows: its texts (the door text names the chosen
// door side on one-man routes that show it), the stop-position board pattern
// (0 none, 1 to 5 the 50 m to 300 m boards, 10 + i the stop mark of station
// i) and the cab monitor picture's pattern.
struct StationDisplay {
  std::string stationText, carsText, doorText, prevStationText, nextStationText, clockText, maxSpeedText;
  int stopBoardPattern = 0;
  int monitorPattern = 0;
};

// The route operation's state, run by the 100 ms tick: the clock and the
// stations, signals and the preceding train, the train protection, call-outs
// and announcements, track-side events and sound latches. Per-row done flags
// are cleared only by the station jump and by restoring a saved state.
struct OperationState {
  int tickCount = 0;  // ticks since the start of the drive; blinking lamps follow it

  // Stations and the clock.
  int clock = 0;  // time of day, 1/30 s units from 00:00:00
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
  bool runEnding = false;
  std::vector<bool> inZone, arrived, departed, doorsClosedAtStation, oneManDoorDone;  // one per station
  int boardingRandom = 0;
  StationDisplay display;
  CabLamps lamps;

  // Call-outs and announcements.
  std::vector<bool> overrunAnnounced;  // one per station
  std::vector<bool> announceDone;      // one per "[Announce]" row
  int announceIndex = 0;
  bool stopRequestArmed = false;
  int stopRequestClock = 0;

  // Signals and the preceding train.
  std::vector<int> signalAspect, signalImageIndex;  // one per "[Signal]" row
  int shownSignal = 999;
  int shownSignalImage = 999;
  int prevSignalImage = 999;
  int preTrainFrame = 0;  // 0: no preceding train

  // Train protection.
  bool atsEmergency = false;
  bool atsServiceBrake = false;
  bool ebDeviceTrip = false;
  int signalLimit = 999;  // 999 none, 998 approaching a stop signal
  bool atsAlarm = false;
  bool atsConfirmed = false;
  int atsAlarmTicks = 0;
  int patternSpeed = 0;
  long double patternPosition = 0;
  int patternBeacon = 0;
  int patternState = 0;
  int prevPatternState = 0;
  bool atcBraking = false;
  int ebDeviceTicks = 0;

  // Track.
  Fixed4 gradient;
  Fixed4 avgGradient;

  // Sound control.
  long double attenFactor = 0;
  int tunnelLevel = 0;
  bool inTunnel = false;

  // Needle smoothing values of the cab panel, moved once a tick.
  int lineVoltage = 1500;
  int voltmeter = 0;
  long double brakeIndicator = 0;

  // Ticks the doors have stayed open after a close request (idling engine sound).
  int doorClosingTicks = 0;
};

}  // namespace cab
