#pragma once

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
// including, `endStation`, in ascending order; the last station never has an
// entry. An `endStation` of 0 stands for the last station.
std::vector<MoveMenuItem> buildMoveMenu(const RouteData& route, int startStation, int endStation);

}  // namespace cab
