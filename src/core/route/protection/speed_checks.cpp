#include "core/route/protection/speed_checks.h"

#include <algorithm>

#include "core/data/route_data.h"
#include "core/data/vehicle_spec.h"
#include "core/route/operation_state.h"
#include "core/route/protection/protection_context.h"
#include "core/route/protection/protection_state.h"
#include "core/route/protection/signal_speed_points.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int NoLimit = 999;

std::span<const SpeedCheckData> rows(const std::vector<SpeedCheckData>& table, int count) {
  return std::span<const SpeedCheckData>(table).first(static_cast<std::size_t>(count));
}

// The alarm that the alarm timeout turns into the emergency brake on the next tick.
void alarmNow(ProtectionState& p, const VehicleSpec& v) {
  p.atsAlarm = true;
  p.atsConfirmed = false;
  p.atsAlarmTicks = v.ATS_Time * 10;
}

void pointChecks(const TrainState& t, ProtectionState& p, const ProtectionContext& c, const SpeedCheckInputs& in) {
  const auto checks = rows(in.route.SpeedCheck1, in.route.SpeedCheck1Count);
  if (p.checkDone.size() < checks.size()) p.checkDone.resize(checks.size(), false);
  for (std::size_t i = 0; i < checks.size(); ++i) {
    const SpeedCheckData& row = checks[i];
    if (t.position <= row.positionDistance || p.checkDone[i]) continue;
    // A check tied to a signal waits until that signal shows stop.
    if (row.linkedSignal != 0 && (row.linkedSignal < 0 || signalAspect(in.signals, in.route, row.linkedSignal) != 0))
      continue;
    if (t.speed > row.checkSpeed) alarmNow(p, c.vehicle);
    p.checkDone[i] = true;
  }
}

// The cab limit lamp: shows the "[Lamp_signal]" frame of the given speed,
// set again only when the speed shown changes.
class LimitLamp {
 public:
  LimitLamp(ProtectionState& p, const ProtectionContext& c) : p_(p), c_(c) {}

  void show(int speed) {
    const CabLayout& cab = c_.vehicle.cabLayout;
    for (int k = 0; k < cab.LampSignalSpeedCount; ++k) {
      if (cab.LampSignalSpeeds[static_cast<std::size_t>(k)] != speed) continue;
      if (p_.cabLimitLamp != k + 1) {
        c_.lamps.cabLimitFrame = k;
        c_.lamps.cabLimit = true;
        p_.cabLimitLamp = k + 1;
      }
      shown_ = true;
      return;
    }
  }
  void darkenUnlessShown() {
    if (shown_) return;
    c_.lamps.cabLimit = false;
    p_.cabLimitLamp = 0;
  }

 private:
  ProtectionState& p_;
  const ProtectionContext& c_;
  bool shown_ = false;
};

// The limits of the ranges of a "[SpeedCheck2]" or "[SpeedCheck3]" table
// the train is in: the lowest and the last in the table's order.
struct RangeLimits {
  int lowest = NoLimit;
  int last = NoLimit;
};

// Walks a range table: the lamp shows the limit of each range the train is
// in (one below the signal's limit), else the signal's limit.
RangeLimits rangeChecks(std::span<const SpeedCheckData> checks, const TrainState& t, const ProtectionState& p,
                        LimitLamp& lamp) {
  RangeLimits limits;
  for (const SpeedCheckData& row : checks) {
    if (row.positionFrame < t.frame && t.frame < row.endFrame && row.limit < p.signalLimit) {
      lamp.show(row.limit);
      limits.lowest = std::min(limits.lowest, row.limit);
      limits.last = row.limit;
    } else if (p.signalLimit < NoLimit) {
      lamp.show(p.signalLimit);
    }
  }
  return limits;
}

void setServiceBrake(TrainState& t, ProtectionState& p, const ProtectionContext& c) {
  if (p.atsServiceBrake) return;
  p.atsServiceBrake = true;
  demandChanged(t, p, c);
}

}  // namespace

void speedChecks(TrainState& t, ProtectionState& p, const ProtectionContext& c, const SpeedCheckInputs& in) {
  const VehicleSpec& v = c.vehicle;
  if (!p.atsPowerOn || (v.ATS_Type != 0 && v.ATS_Type != 1)) return;
  pointChecks(t, p, c, in);
  const RouteData& route = in.route;
  LimitLamp lamp(p, c);
  if (t.speed > rangeChecks(rows(route.SpeedCheck2, route.SpeedCheck2Count), t, p, lamp).lowest) alarmNow(p, v);
  const int brakeLimit = rangeChecks(rows(route.SpeedCheck3, route.SpeedCheck3Count), t, p, lamp).last;
  lamp.darkenUnlessShown();
  if (t.speed > brakeLimit) {
    setServiceBrake(t, p, c);
  } else if (route.MaxSpeedCheck == 1 && t.speed > in.sectionMaxSpeed) {
    setServiceBrake(t, p, c);
  } else if (route.MaxSpeedCheck == 2 && t.speed > in.sectionMaxSpeed) {
    p.atsAlarm = true;
    if (!p.atsEmergency) {
      p.atsEmergency = true;
      demandChanged(t, p, c);
    }
  } else if (p.atsServiceBrake && p.patternState < 2) {
    p.atsServiceBrake = false;
    demandChanged(t, p, c);
  }
}

void markChecksBehind(ProtectionState& p, std::span<const SpeedCheckData> checks, long double position) {
  p.checkDone.assign(checks.size(), false);
  for (std::size_t i = 0; i < checks.size(); ++i) p.checkDone[i] = position > checks[i].positionDistance;
}

}  // namespace cab
