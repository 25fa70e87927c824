#include "core/route/track_events/tunnels.h"

#include "core/common/rounding.h"
#include "core/route/track_events/track_event_state.h"

namespace cab {

namespace {

constexpr long double RampCm = 1500;

int levelAt(const TunnelData& t, long double position) {
  if (t.level == 0) return 0;
  const long double perLevel = RampCm / t.level;  // cm per step of level along a ramp
  if (position - t.startDistance < RampCm) return static_cast<int>(Round((position - t.startDistance) / perLevel));
  if (t.endDistance - position < RampCm) return static_cast<int>(Round((t.endDistance - position) / perLevel));
  return t.level;
}

}  // namespace

void updateTunnels(TrackEventState& s, std::span<const TunnelData> tunnels, long double position) {
  s.tunnelLevel = 0;
  s.inTunnel = false;
  for (const TunnelData& t : tunnels) {
    if (position <= t.startDistance || position >= t.endDistance) continue;
    s.inTunnel = true;
    s.tunnelLevel = levelAt(t, position);
  }
}

bool tunnelPanelShown(int tunnelOption, int tunnelLevel) { return tunnelOption != 1 && tunnelLevel != 0; }

}  // namespace cab
