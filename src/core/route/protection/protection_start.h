#pragma once

#include <span>

namespace cab {

struct CabLamps;
struct ProtectionState;
struct SpeedCheckData;

// The start of a drive: no brake demand, bell or pattern; the speed checks
// behind the start point count as made; the first ATS lamp shows the
// protection's power.
void startProtection(ProtectionState& p, CabLamps& lamps, std::span<const SpeedCheckData> checks, long double position,
                     int sectionMaxSpeed);

// A station jump: no signal limit, the speed checks behind the station count
// as made and the cab limit lamp is set again on the next tick.
void jumpProtection(ProtectionState& p, std::span<const SpeedCheckData> checks, long double position);

}  // namespace cab
