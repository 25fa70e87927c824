#include "core/route/protection/protection_start.h"

#include "core/route/operation_state.h"
#include "core/route/protection/protection_state.h"
#include "core/route/protection/speed_checks.h"

namespace cab {

void startProtection(ProtectionState& p, CabLamps& lamps, std::span<const SpeedCheckData> checks, long double position,
                     int sectionMaxSpeed) {
  p.clearBrakeDemands();
  p.atsAlarm = p.atsConfirmed = false;
  p.atsAlarmTicks = 0;
  p.clearPattern(sectionMaxSpeed);
  markChecksBehind(p, checks, position);
  lamps.ats1 = p.atsPowerOn;
}

void jumpProtection(ProtectionState& p, std::span<const SpeedCheckData> checks, long double position) {
  p.signalLimit = 999;
  p.cabLimitLamp = -1;  // no index: the next tick sets the lamp again
  markChecksBehind(p, checks, position);
}

}  // namespace cab
