#include "core/route/protection/signal_speed_points.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "core/data/route_data.h"
#include "core/data/vehicle_spec.h"
#include "core/route/protection/protection_state.h"
#include "core/route/signals/signal_state.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int StopWarning = 998;
constexpr int NoLimit = 999;

// The signal pictures by the aspect whose "[Speed_Signal]" speed they allow.
constexpr int StopPictures[] = {7, 10, 13, 17, 21, 26, 30, 35};
constexpr int RestrictedPictures[] = {18, 22};
constexpr int CautionPictures[] = {8, 11, 14, 19, 23, 27, 31};
constexpr int ReducedPictures[] = {15, 24, 32};
constexpr int ProceedPictures[] = {9, 12, 16, 20, 25, 28, 29, 33, 34};

// The speed the picture on screen allows: 0 for the stop pictures, else the
// "[Speed_Signal]" speed of the aspect it shows; unchanged for the others.
int limitOfPicture(int image, const RouteData& route, int current) {
  const auto shows = [image](std::span<const int> pictures) {
    return std::find(pictures.begin(), pictures.end(), image) != pictures.end();
  };
  if (shows(StopPictures)) return 0;
  if (shows(RestrictedPictures)) return route.Speed_Signal[1];
  if (shows(CautionPictures)) return route.Speed_Signal[2];
  if (shows(ReducedPictures)) return route.Speed_Signal[3];
  if (shows(ProceedPictures)) return route.Speed_Signal[4];
  return current;
}

bool patternOfSignal(const ProtectionState& p, const RouteData& route, int row) {
  if (p.patternBeacon < 0 || p.patternBeacon >= route.ProtectionPointCount) return false;
  const ProtectionPointData& point = route.ProtectionPoints[static_cast<std::size_t>(p.patternBeacon)];
  return point.type == 2 && point.signal == row;
}

}  // namespace

int signalAspect(const SignalState& signals, const RouteData& route, int row) {
  if (row >= 0 && static_cast<std::size_t>(row) < signals.aspect.size())
    return signals.aspect[static_cast<std::size_t>(row)];
  return route.Speed_SignalCount - 1;
}

void signalSpeedPoints(int row, const SignalData& s, SignalState& signals, ProtectionState& p,
                       const SpeedPointInputs& in) {
  const VehicleSpec& v = in.vehicle;
  if (!p.atsPowerOn || (v.ATS_Type != 0 && v.ATS_Type != 1)) return;
  const int frame = in.train.frame;
  if (std::abs(frame - s.atsFrame) < 15 && v.ATS_Type == 0 && v.ATS_Alert == 0 && s.headType >= 1 &&
      signalAspect(signals, in.route, row) == 0)
    p.signalLimit = StopWarning;
  if (frame < s.checkFrame || frame >= s.checkFrame + 20) return;
  p.signalLimit = limitOfPicture(signals.shownSignalImage, in.route, p.signalLimit);
  if (signals.shownSignalImage == 26 || signals.shownSignalImage == 32) p.signalLimit = NoLimit;
  if (v.ATS_Alert == 1 && in.train.speed > p.signalLimit) {
    p.atsAlarm = true;
    p.atsConfirmed = false;
  }
  signals.shownSignalImage = signals.prevSignalImage = signals.shownSignalSub = NoSignalShown;
  if (p.signalLimit != 0 && patternOfSignal(p, in.route, row)) p.clearPattern(in.sectionMaxSpeed);
}

}  // namespace cab
