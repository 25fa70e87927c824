#include "core/vehicle/gearbox.h"

#include <cmath>

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr long double IdleRpm = 30;

void fallToIdle(TrainState& t) {
  if (t.engineRpm > IdleRpm) t.engineRpm -= 1;
}

// Moves toward the target quickly while far from it, slowly when near.
void followTarget(TrainState& t) {
  const long double gap = t.engineRpmTarget - t.engineRpm;
  const long double distance = std::fabs(gap);
  const long double step = distance > 5 ? 0.6L : (distance > 1 ? 0.03L : 0);
  t.engineRpm += gap > 0 ? step : -step;
}

}  // namespace

void automaticGearChoice(TrainState& t, const GearboxSpec& g) {
  const int count = g.gearCount();
  const long double speed = std::fabs(t.speed);
  for (int k = 0; k < count; ++k) {
    const GearRow& row = g.gears[static_cast<std::size_t>(k)];
    if (t.gearLever == k && t.gear < count - 1 && speed > row.s2) ++t.gearLever;
    if (t.gearLever == k && speed < row.s0 && t.gearLever > 0) --t.gearLever;
  }
  if (t.gear >= 1 && t.speed < 10) t.gear = 1;
  if (t.speed < 10) t.clutchOut = 0;
}

GearboxSpec gearboxOf(const VehicleSpec& v) {
  GearboxSpec g;
  g.diesel = v.Engine_Type == 0;
  g.automatic = v.Gear_Type == 0;
  for (int k = 0; k < v.EngineCount; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const EngineRateRow rate = i < v.EngineRate.size() ? v.EngineRate[i] : EngineRateRow{};
    g.gears.push_back({v.Engine[i].s0, v.Engine[i].s2, rate.baseRpm, rate.rpmPerKmh});
  }
  g.starterSound = v.EngineSound2[2];
  g.engineStopSound = v.EngineSound2[3];
  return g;
}

bool clutchStep(TrainState& t, const GearboxSpec& g, const ClutchConditions& c, long double frameMs) {
  bool changed = false;
  if (g.diesel && c.doorRuleMet && t.clutchOut == 0 && t.shiftElapsed == 0) {
    if (t.engineRunning == 1 && t.powerNotch > 0 && t.gear != t.gearLever && !c.atsEmergency && !c.vigilanceTrip) {
      t.clutchOut = 1;
      changed = true;
    } else if (t.gear != 0 && t.powerNotch == 0) {
      t.gear = 0;
      t.clutchOut = 2;
      changed = true;
    }
  }
  // The clutch counts the frame time from the tick it opened in.
  if (t.clutchOut != 0) {
    t.shiftElapsed += static_cast<int>(Round(frameMs));
    if (t.shiftElapsed >= 10) {
      t.shiftElapsed = 0;
      if (c.doorRuleMet && t.clutchOut == 1 && !c.atsEmergency && t.gearLever > 0) t.gear = t.gearLever;
      if (t.clutchOut == 2) t.gear = 0;
      t.clutchOut = 0;
      changed = true;
    }
  }
  return changed;
}

void engineSpeedStep(TrainState& t, const GearboxSpec& g) {
  if (!g.diesel) return;
  const bool driving = t.powerNotch != 0 && t.clutchOut == 0;
  if (t.gear > 0 && t.gear < g.gearCount()) {
    const GearRow& row = g.gears[static_cast<std::size_t>(t.gear)];
    t.engineRpmTarget = row.base + row.slope * std::fabs(t.speed);
    if (driving)
      followTarget(t);
    else
      fallToIdle(t);
  } else if (t.gear == 0 && !g.automatic) {
    t.engineRpmTarget = 100;
    if (driving) {
      t.engineRpm += 0.5L;
      if (t.engineRpm > 95) t.engineRpm = 95;
    } else {
      fallToIdle(t);
    }
  }
  if (t.engineRunning == 0)
    t.engineRpm -= 3;
  else if (t.engineRpm < IdleRpm)
    t.engineRpm += 3;
  if (t.engineRpm < 0) t.engineRpm = 0;
}

}  // namespace cab
