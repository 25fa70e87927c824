#pragma once

#include <vector>

namespace cab {

struct TrainState;
struct VehicleSpec;

// One gear of a diesel vehicle: the shift speeds of its "[Engine]" row (down
// below s0, up above s2, km/h) and its "[EngineRate]" row (engine speed
// base + slope x |speed|).
struct GearRow {
  int s0 = 0;
  int s2 = 0;
  int base = 0;
  long double slope = 0;
};

// The engine and gearbox of a vehicle. Electric vehicles have no gears but
// keep the start/stop state of their power unit.
struct GearboxSpec {
  bool diesel = false;
  bool automatic = false;      // "[Gear_Type]" AT
  std::vector<GearRow> gears;  // row 0 is neutral; their count G includes it
  int starterSound = -1;       // channel, -1 none
  int engineStopSound = -1;    // channel, -1 none

  int gearCount() const { return static_cast<int>(gears.size()); }
};

// The engine and gearbox of a vehicle file.
GearboxSpec gearboxOf(const VehicleSpec& v);

// The automatic shift: raises or lowers the gear lever by the speed, forces
// the first gear and engages the clutch below 10 km/h.
void automaticGearChoice(TrainState& t, const GearboxSpec& g);

// What the clutch step may not override: the door interlock and the brake
// demands of the train protection.
struct ClutchConditions {
  bool doorRuleMet = true;  // doors closed, or no door interlock
  bool atsEmergency = false;
  bool vigilanceTrip = false;
};

// Opens the clutch for a gear change or for neutral, and completes a change
// once the clutch has been out for 10 ms. Returns true when the gear or the
// clutch changed, so that the controller is updated and the gear picture
// shows the new gear.
bool clutchStep(TrainState& t, const GearboxSpec& g, const ClutchConditions& c, long double frameMs);

// The engine speed of one physics step: it follows the gear and the speed
// with power applied, falls back to idle without, and dies away when the
// engine is stopped.
void engineSpeedStep(TrainState& t, const GearboxSpec& g);

}  // namespace cab
