#pragma once

#include "core/vehicle/protection_flags.h"

namespace cab {

// The train protection's state: its brake demands, which it offers the
// physics and the controller as ProtectionFlags, the signal limit and the
// speed the speed check compares against.
struct ProtectionState {
  bool atsEmergency = false;
  bool atsServiceBrake = false;
  bool ebDeviceTrip = false;  // the vigilance (EB) device has tripped
  int signalLimit = 999;      // 999 none, 998 approaching a stop signal
  int patternSpeed = 0;       // km/h
  bool atsPowerOn = true;     // off only when the "ATS" option turns it off at the start

  ProtectionFlags flags() const { return {atsEmergency, ebDeviceTrip, atsServiceBrake}; }
  void clearBrakeDemands() { atsEmergency = atsServiceBrake = ebDeviceTrip = false; }
};

}  // namespace cab
