#pragma once

#include <span>

namespace cab {

struct ProtectionContext;
struct ProtectionState;
struct RouteData;
struct SignalState;
struct SpeedCheckData;
struct TrainState;

// What the speed checks read besides the train and the protection.
struct SpeedCheckInputs {
  const RouteData& route;
  const SignalState& signals;
  int sectionMaxSpeed = 0;
};

// The speed checks (tick step 24, spot and pattern types): a "[SpeedCheck1]"
// point passed too fast rings the alarm that brakes on the next tick;
// within a "[SpeedCheck2]" range the cab limit lamp shows the limit and an
// excess rings the alarm; within a "[SpeedCheck3]" range an excess applies
// the service brake; elsewhere "[MaxSpeedCheck]" brakes above the line speed.
void speedChecks(TrainState& t, ProtectionState& p, const ProtectionContext& c, const SpeedCheckInputs& in);

// Marks the "[SpeedCheck1]" points behind the train as checked and the rest
// as due (the start of a drive and a station jump).
void markChecksBehind(ProtectionState& p, std::span<const SpeedCheckData> checks, long double position);

}  // namespace cab
