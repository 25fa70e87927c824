#pragma once

namespace cab {

struct ProtectionState;
struct RouteData;
struct SignalData;
struct SignalState;
struct TrainState;
struct VehicleSpec;

// What the speed points of a signal read besides the signal and the protection.
struct SpeedPointInputs {
  const TrainState& train;
  const VehicleSpec& vehicle;
  const RouteData& route;  // "[Speed_Signal]" and the protection points
  int sectionMaxSpeed = 0;
};

// The spot and pattern types' points of "[Signal]" row `row`, run for every
// row in the signal step after its picture was chosen: the stop-warning
// point before a stop signal (signalLimit 998) and the speed point, which
// takes the allowed speed from the signal picture on screen and clears a
// pattern this signal had set once it no longer demands a stop.
void signalSpeedPoints(int row, const SignalData& s, SignalState& signals, ProtectionState& p,
                       const SpeedPointInputs& in);

// The aspect the signal step gave row `row`; the highest of the route's
// aspects for a row it has none for (a row the data names beyond the table).
int signalAspect(const SignalState& signals, const RouteData& route, int row);

}  // namespace cab
