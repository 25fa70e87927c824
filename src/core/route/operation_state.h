#pragma once

namespace cab {

// The route operation's state, run by the 100 ms tick: stations and clock,
// protection, signals.
struct OperationState {
  int clock = 0;  // route clock, 1/30 s units from 00:00:00
  int nextStopIndex = 0;
  long double remainingDistance = 0;  // cm to the next stop, negative after an overrun
  int atsEmergency = 0;
  int atsServiceBrake = 0;
  int ebDeviceTrip = 0;
  int signalLimit = 0;
};

}  // namespace cab
