#include "core/route/protection/pattern_protection.h"

#include <string>

#include "core/common/rounding.h"
#include "core/data/route_data.h"
#include "core/data/vehicle_spec.h"
#include "core/route/operation_state.h"
#include "core/route/protection/pattern_scan.h"
#include "core/route/protection/pattern_speeds.h"
#include "core/route/protection/protection_context.h"
#include "core/route/protection/protection_state.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"
#include "core/vehicle/vehicle_tables.h"

namespace cab {

namespace {

std::string num(long long v) { return std::to_string(v); }

// The brake line: the check speed, the train's speed and the pattern.
std::string brakeLine(const ProtectionState& p, const char* kind, long double speed, int brake) {
  return num(p.patternSpeed) + "km/h照査によって" + kind + " 速度" + num(roundHalfAway(speed)) + " パターン" +
         num(brake);
}

void patternActions(TrainState& t, ProtectionState& p, const ProtectionContext& c, int state) {
  const VehicleSpec& v = c.vehicle;
  CabLamps& lamps = c.lamps;
  if (p.prevPatternState != 1 && state == 1) {
    lamps.atsp1 = true;
    lamps.atsp2 = false;
    c.sound.play(v.Sound_Atc);
  }
  if (p.prevPatternState < 2 && state >= 2) {
    c.sound.restart(v.Sound_Atc);
    if (v.ATS_Alert == 0) p.atsServiceBrake = true;
    if (v.ATS_Alert == 1) p.atsEmergency = true;
    if (v.ATS_Alert == 2) {
      // A stop pattern, or a low speed, ends in the emergency brake and the bell.
      if (p.patternSpeed == 0 || t.speed <= 25)
        p.atsEmergency = true;
      else
        p.atsServiceBrake = true;
      if (p.atsEmergency) c.sound.loop(v.Sound_Ats1);
    }
    setDelayPending(t);
    lamps.atsp1 = lamps.atsp2 = true;
  }
  if (p.prevPatternState != 0 && state == 0) {
    if (v.ATS_Alert == 0) c.sound.restart(v.Sound_Atc);
    if (p.atsServiceBrake && t.bcTrailer.raw() > 0) {
      const int channel = brakeSoundChannel(v.Sound_BK, -t.brakeCommand, 1);
      if (channel >= 0) c.sound.restart(channel);
    }
    p.atsServiceBrake = false;
    setDelayPending(t);
    lamps.atsp1 = lamps.atsp2 = false;
  }
  if (state != p.prevPatternState) {
    p.prevPatternState = state;
    demandChanged(t, p, c);
  }
  // Past a stop point the pattern type brakes at once.
  if (p.signalLimit == 0 && !p.atsEmergency) {
    c.sound.restart(v.Sound_Atc);
    p.patternState = 3;
    p.atsEmergency = true;
    demandChanged(t, p, c);
  }
}

}  // namespace

int nextPatternState(ProtectionState& p, int atsAlert, long double speed, int brake, int warning, int sectionMaxSpeed) {
  const int state = p.patternState;
  const long double v = speed;
  const long long rounded = roundHalfAway(v);
  const bool braking = p.flags().any();
  const bool overPattern = v > p.patternSpeed && v > brake;
  const auto entering = [&](int next, std::string line) {
    if (next != state) p.log.push_back(std::move(line));
    return next;
  };
  if (atsAlert <= 1 && p.patternSpeed <= 10 && overPattern) return entering(3, brakeLine(p, "停止ブレーキ", v, brake));
  if (atsAlert <= 1 && p.patternSpeed > 10 && overPattern) return entering(2, brakeLine(p, "ブレーキ", v, brake));
  if (atsAlert == 2 && overPattern) return entering(2, brakeLine(p, "ブレーキ", v, brake));
  if (atsAlert == 0 && !braking && (v >= warning - 0.5L || v >= brake - 5))
    return entering(1, "パターン接近" + num(warning) + "/" + num(brake));
  const int none = sectionMaxSpeed + 10;
  if (atsAlert == 1 && !braking && brake < none && v >= brake - 15) {
    p.log.push_back("ATS-PTパターン接近");
    return 1;
  }
  if (atsAlert == 1 && !braking && brake == none && v >= brake - 5) {
    p.log.push_back("ATS-PT最高速パターン接近");
    return 1;
  }
  if (atsAlert == 2 && !braking && v >= brake - 8) return entering(1, "D-ATS-Pパターン接近");
  if (atsAlert == 2 && state == 2 && (rounded < brake - 8 || rounded < 10)) return entering(0, "ブレーキ緩解");
  if (state == 2 && p.patternSpeed >= 10 && rounded < p.patternSpeed - 10) return entering(0, "ブレーキ緩解");
  if (!braking) return entering(0, "パターンなし");
  return state;
}

void patternProtection(TrainState& t, ProtectionState& p, const ProtectionContext& c, const PatternInputs& in) {
  const VehicleSpec& v = c.vehicle;
  if (!p.atsPowerOn || v.ATS_Type != 1 || t.reverser != 1) return;
  const RouteData& route = in.route;
  const int preset = route.Speed_Signal[4];  // the proceed aspect's speed
  const PatternScanInputs scan{route,      in.signals, in.doorsClosedAtStation, t.position, t.speed, in.sectionMaxSpeed,
                               v.ATS_Alert};
  const int endType = scanProtectionPoints(p, scan);
  const PatternSpeeds s = patternSpeeds(p, endType, t.position, in.sectionMaxSpeed, preset);
  p.brakePattern = s.brake;
  p.patternState = nextPatternState(p, v.ATS_Alert, t.speed, s.brake, s.warning, in.sectionMaxSpeed);
  patternActions(t, p, c, p.patternState);
}

}  // namespace cab
