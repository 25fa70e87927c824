#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;
struct FrameTiming;
struct ProtectionFlags;
struct TrackConditions;

// What a physics step tells the drive: whether it ran to the end (it stops
// early when the train is held) and how many route clock units it lasted.
struct KeisanResult {
  bool moved = false;
  int clockUnits = 0;
};

// One physics step over the measured frame time: effective commands,
// traction, brakes, adhesion, resistances, speed, pressures, distance,
// clock, ammeter and cab sway, in that fixed order.
KeisanResult keisan(TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, const TrackConditions& track,
                    const FrameTiming& timing);

}  // namespace cab
