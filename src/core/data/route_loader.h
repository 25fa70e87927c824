#pragma once

#include <string>
#include <string_view>

#include "core/data/route_data.h"
#include "core/data/route_images.h"

namespace cab {

class DataDirectory;

// Reads a route file's bytes. `vehicleFile` is the bare file name of the
// current vehicle, which selects the "[Monitor]" block. Overlay pictures are
// read through `target` and become images and sprites as the keys are met.
// Errors are DataErrors with the route file's messages; a named timetable or
// sub-display picture ("[Staf]" lines 1 and 3) missing from the data
// directory ends the load with its name followed by "が見つかりません".
RouteData loadRoute(std::string_view bytes, const std::string& vehicleFile, const RouteImageTarget& target);

// Reads the route file of the data directory.
RouteData loadRouteFile(const std::string& routeFile, const std::string& vehicleFile, const RouteImageTarget& target);

// The "[Signal]" and "[Signal2]" tables must describe the same signals, and
// "[Signal2]" must translate each aspect of "[Speed_Signal]" into one of them.
void checkSignalTables(const RouteData& route);

}  // namespace cab
