#include "core/route/protection/pattern_scan.h"

#include <string>

#include "core/common/rounding.h"
#include "core/data/route_data.h"
#include "core/route/protection/protection_state.h"
#include "core/route/protection/signal_speed_points.h"

namespace cab {

namespace {

constexpr long double ScanRange = 60000;  // cm

// The windows, open ranges in cm ahead of the train, in which a point sets its pattern.
bool inWindow(long double d) {
  constexpr long double Windows[][2] = {{59500, 60000}, {28000, 28500}, {18000, 18300}, {13000, 13300},
                                        {8500, 8700},   {5000, 5200},   {2000, 2200}};
  for (const auto& w : Windows)
    if (d > w[0] && d < w[1]) return true;
  return false;
}

enum class Scan { Ends, Continues };

class PointScan {
 public:
  PointScan(ProtectionState& p, const PatternScanInputs& in) : p_(p), in_(in) {}

  int run() {
    const RouteData& route = in_.route;
    for (int r = 0; r < route.ProtectionPointCount; ++r) {
      const ProtectionPointData& point = route.ProtectionPoints[static_cast<std::size_t>(r)];
      const long double d = point.position - in_.position;
      if (d <= 0 || d >= ScanRange) continue;
      if (visit(r, point, d) == Scan::Ends) return point.type;
    }
    return 0;
  }

 private:
  Scan visit(int r, const ProtectionPointData& point, long double d) {
    switch (point.type) {
      case 1:
        return speedLimit(r, point, d);
      case 2:
        return signal(r, point, d);
      case 3:
        return in_.speed > 0 ? station(r, point, d) : Scan::Continues;
      default:
        return Scan::Continues;
    }
  }

  Scan signal(int r, const ProtectionPointData& point, long double d) {
    const RouteData& route = in_.route;
    if (point.signal < 0 || point.signal >= route.SignalCount) return Scan::Continues;
    if (route.Signal[static_cast<std::size_t>(point.signal)].headType == 0) return Scan::Continues;
    if (signalAspect(in_.signals, route, point.signal) == 0) {
      if (inWindow(d)) {
        setPattern(r, point, point.speed);
        log("停止信号" + std::to_string(r) + "まで" + metres(d) + "m");
      }
      return Scan::Ends;
    }
    if (in_.atsAlert == 2) {
      if (p_.patternBeacon != r) return Scan::Continues;
      // The beacon stays: while the signal stays clear this repeats every tick.
      noTarget();
      log("パターン消去: 信号まで" + metres(d) + "m");
      return Scan::Ends;
    }
    if (inWindow(d) && p_.patternBeacon == r) {
      p_.clearPattern(in_.sectionMaxSpeed);
      log("パターン" + std::to_string(r) + "消去: 信号まで" + metres(d) + "m");
    }
    return p_.patternBeacon == r ? Scan::Ends : Scan::Continues;
  }

  Scan station(int r, const ProtectionPointData& point, long double d) {
    const bool stopOver = point.station >= 0 &&
                          static_cast<std::size_t>(point.station) < in_.doorsClosedAtStation.size() &&
                          in_.doorsClosedAtStation[static_cast<std::size_t>(point.station)];
    if (!stopOver && inWindow(d)) {
      setPattern(r, point, point.speed);
      log("停車駅まで" + metres(d) + "m");
    }
    if (stopOver) {
      noTarget();
      log("停車駅パターン消去");
    }
    return Scan::Ends;
  }

  Scan speedLimit(int r, const ProtectionPointData& point, long double d) {
    if (inWindow(d)) {
      setPattern(r, point, point.speed + 5);
      log(std::to_string(p_.patternSpeed) + "km/h照査まで" + metres(d) + "m");
    }
    if (d > 0 && d < 500) {
      log("速度照査パターン消去");
      noTarget();
    }
    return Scan::Ends;
  }

  void setPattern(int r, const ProtectionPointData& point, int speed) {
    p_.patternSpeed = speed;
    p_.patternPosition = point.position;
    p_.patternBeacon = r;
  }
  // The pattern no longer aims anywhere; the beacon that set it is kept.
  void noTarget() {
    p_.patternSpeed = in_.sectionMaxSpeed + 10;
    p_.patternPosition = 0;
  }
  static std::string metres(long double d) { return std::to_string(Round(d / 100)); }
  void log(std::string line) { p_.log.push_back(std::move(line)); }

  ProtectionState& p_;
  const PatternScanInputs& in_;
};

}  // namespace

int scanProtectionPoints(ProtectionState& p, const PatternScanInputs& in) { return PointScan(p, in).run(); }

}  // namespace cab
