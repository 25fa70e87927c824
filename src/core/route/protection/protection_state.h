#pragma once

#include <string>
#include <vector>

#include "core/vehicle/protection_flags.h"

namespace cab {

// The train protection's state: its brake demands, which it offers the
// physics and the controller as ProtectionFlags, the bell, the braking
// pattern, the vigilance counter, the speed checks made and the lines of its
// event log.
struct ProtectionState {
  static constexpr int NoBeacon = 999;

  bool atsEmergency = false;
  bool atsServiceBrake = false;
  bool ebDeviceTrip = false;  // the vigilance (EB) device has tripped
  int signalLimit = 999;      // 999 none, 998 approaching a stop signal, 0 stop
  bool atsPowerOn = true;     // off only when the "ATS" option turns it off at the start

  bool atsAlarm = false;      // the bell is demanded
  bool atsConfirmed = false;  // acknowledged: the chime is due
  int atsAlarmTicks = 0;

  int patternSpeed = 0;             // km/h; sectionMaxSpeed + 10 means no pattern
  long double patternPosition = 0;  // cm
  int patternBeacon = NoBeacon;     // point-list row that set the pattern
  int patternState = 0;             // 0 none, 1 approaching, 2 pattern brake, 3 stop-pattern brake
  int prevPatternState = 0;
  int brakePattern = 0;  // km/h: the brake pattern speed B of the last tick

  bool atcBraking = false;
  int ebDeviceTicks = 0;
  int cabLimitLamp = 0;  // index + 1 of the "[Lamp_signal]" speed shown, 0 dark

  std::vector<bool> checkDone;  // per "[SpeedCheck1]" row: its check has been made

  std::vector<std::string> log;  // event log lines, oldest first

  ProtectionFlags flags() const { return {atsEmergency, ebDeviceTrip, atsServiceBrake}; }
  void clearBrakeDemands() { atsEmergency = atsServiceBrake = ebDeviceTrip = false; }
  // No pattern: its target speed is the line's maximum + 10.
  void clearPattern(int sectionMaxSpeed) {
    patternState = 0;
    patternSpeed = sectionMaxSpeed + 10;
    patternPosition = 0;
    patternBeacon = NoBeacon;
  }
};

}  // namespace cab
