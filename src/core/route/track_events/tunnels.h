#pragma once

#include <span>

#include "core/data/route_records.h"

namespace cab {

struct TrackEventState;

// The tunnel step: inside a "[Tunnel]" row's distances (`position` in cm)
// the train is in a tunnel, whose level ramps up over its first 15 m and
// down over its last 15 m; the last matching row wins.
void updateTunnels(TrackEventState& s, std::span<const TunnelData> tunnels, long double position);

// The tunnel panel shows inside a tunnel unless the "Tunnel" option (visual
// effects off) is 1.
bool tunnelPanelShown(int tunnelOption, int tunnelLevel);

}  // namespace cab
