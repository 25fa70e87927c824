#pragma once

namespace cab {

struct ProtectionState;

// The two speeds of a braking pattern at the train's place: above B the
// pattern brakes, above W the driver is warned.
struct PatternSpeeds {
  int brake = 0;    // B
  int warning = 0;  // W
};

// The pattern speeds of this tick toward the active pattern. `endType` is
// the type of the point where the scan ended (0: it ran past the last one);
// `preset` is what B and W are when nothing else applies (the proceed
// aspect's speed).
PatternSpeeds patternSpeeds(const ProtectionState& p, int endType, long double position, int sectionMaxSpeed,
                            int preset);

}  // namespace cab
