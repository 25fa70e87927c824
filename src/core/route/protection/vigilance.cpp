#include "core/route/protection/vigilance.h"

#include "core/data/vehicle_spec.h"
#include "core/route/operation_state.h"
#include "core/route/protection/protection_context.h"
#include "core/route/protection/protection_state.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int WarningTicks = 600;
constexpr int TripTicks = 650;

void silenceWarning(const ProtectionContext& c) {
  c.sound.stop(c.vehicle.Sound_EBring);
  c.lamps.eb = false;
}

}  // namespace

void vigilanceDevice(TrainState& t, int& ebFitted, ProtectionState& p, const ProtectionContext& c) {
  if (t.autoRunning || t.speedHold) ebFitted = 0;
  if (p.ebDeviceTrip && t.brakeHandle == -c.vehicle.Brake) {
    p.ebDeviceTrip = false;
    silenceWarning(c);
  }
  if (ebFitted != 1) return;
  if (t.speed > 1) ++p.ebDeviceTicks;
  if (p.ebDeviceTicks > WarningTicks) {
    if (!c.sound.isPlaying(c.vehicle.Sound_EBring)) c.sound.loop(c.vehicle.Sound_EBring);
    c.lamps.eb = true;
  }
  if (p.ebDeviceTicks > TripTicks) {
    p.ebDeviceTicks = 0;
    p.ebDeviceTrip = true;
    demandChanged(t, p, c, true);
  }
}

void vigilanceInput(ProtectionState& p, const ProtectionContext& c) {
  if (p.ebDeviceTrip) return;
  p.ebDeviceTicks = 0;
  silenceWarning(c);
}

}  // namespace cab
