#include "core/route/stations/move_menu.h"

#include "core/data/route_data.h"

namespace cab {

std::vector<MoveMenuItem> buildMoveMenu(const RouteData& route, int startStation, std::optional<int> endStation) {
  const int end = endStation.value_or(route.StationCount - 1);
  std::vector<MoveMenuItem> items;
  // From the second-to-last station down, each inserted at the top.
  for (int i = route.StationCount - 2; i >= 0; --i) {
    const StationData& s = route.Station[static_cast<std::size_t>(i)];
    if ((s.trntype == 0 || s.trntype == 2) && i >= startStation && i < end)
      items.insert(items.begin(), {s.Name, "Sta" + std::to_string(i), i});
  }
  return items;
}

}  // namespace cab
