#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "line_plan.h"

namespace cab::demo {

// Sizes of the overlay pictures that the route files name.
namespace route_pictures {
constexpr int SignSize = 64;
constexpr int SignalWidth = 40, SignalHeight = 90, SignalCells = 43;
constexpr int SubWidth = 40, SubHeight = 30;
constexpr int LimitSigns = 6;  // 25, 35, 45, 55, 65, 75 km/h
inline int limitSignFor(int kmh) { return (kmh - 25) / 10; }
// Pictures of the other sign: the time sign first, which the timed check points show.
enum OtherSign { OtherSignTime, OtherSignWhistle, OtherSignSlow, OtherSignRelease, OtherSigns };
}  // namespace route_pictures

// Title pictures, route buttons and the train button.
void writeTitlePictures(const std::filesystem::path& root, const std::vector<std::string>& routeNames);
// Signs, stop lines, signal heads, animation and traffic-light lists.
void writeOverlayPictures(const std::filesystem::path& root, int videoWidth);
// A line's gradient posts: the level, then one picture per slope in the plan's order.
std::string slopePostFile(const LinePlan& plan);
void writeSlopePosts(const std::filesystem::path& root, const LinePlan& plan);
// The driver's timetable, the start picture (the size of the video) and the
// sub display of a route.
void writeStafPictures(const std::filesystem::path& root, const std::string& stem, const std::string& title,
                       const LinePlan& plan, int firstStation, int startClock, int videoWidth, int videoHeight);

}  // namespace cab::demo
