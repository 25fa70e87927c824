#pragma once

namespace cab {

// The brake demands of the train protection that override the driver's
// brake handle.
struct ProtectionFlags {
  bool atsEmergency = false;
  bool vigilanceTrip = false;  // the vigilance (EB) device has tripped
  bool patternBrake = false;   // the ATS pattern brake acts

  bool emergency() const { return atsEmergency || vigilanceTrip; }
  bool any() const { return atsEmergency || vigilanceTrip || patternBrake; }
};

}  // namespace cab
