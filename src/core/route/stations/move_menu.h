#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cab {

struct RouteData;

// An entry of the driving window's "Move" menu: jumping to a stopping station.
struct MoveMenuItem {
  std::string caption;  // the station's Name
  std::string name;     // component name "Sta" + station index
  int station = 0;
};

// The stopping stations (trntype 0 or 2) from `startStation` up to, not
// including, `endStation` (without one, the last station), in ascending
// order; the last station never has an entry.
std::vector<MoveMenuItem> buildMoveMenu(const RouteData& route, int startStation, std::optional<int> endStation);

}  // namespace cab
