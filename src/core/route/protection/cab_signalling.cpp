#include "core/route/protection/cab_signalling.h"

#include "core/data/vehicle_spec.h"
#include "core/route/protection/protection_context.h"
#include "core/route/protection/protection_state.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int FirstCabImage = 35;  // the stop picture of head type 9
constexpr int LastCabImage = 42;
constexpr long double Tolerance = 0.4L;  // km/h

}  // namespace

void cabSignalling(TrainState& t, ProtectionState& p, const ProtectionContext& c, int shownSignalImage) {
  const VehicleSpec& v = c.vehicle;
  if (v.ATS_Type != 2 || shownSignalImage < FirstCabImage || shownSignalImage > LastCabImage) return;
  const int limit = v.cabLayout.LampSignalSpeeds[static_cast<std::size_t>(shownSignalImage - FirstCabImage)];
  if (t.speed > limit - Tolerance) {
    if (p.atcBraking) return;
    if (shownSignalImage == FirstCabImage)
      p.atsEmergency = true;
    else
      p.atsServiceBrake = true;
    demandChanged(t, p, c, true);
    p.atcBraking = true;
  } else if (p.atcBraking) {
    // Only the service brake is released here; the stop picture's emergency brake stays.
    p.atsServiceBrake = false;
    demandChanged(t, p, c);
    p.atcBraking = false;
  }
}

}  // namespace cab
