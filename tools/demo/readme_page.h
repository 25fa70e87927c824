#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "line_plan.h"

namespace cab::demo {

// "readme.html", opened by the title's HELP button: the two demo lines with
// their stations, the five routes in the menu's order, and the controls.
void writeReadme(const std::filesystem::path& root, const std::vector<std::string>& routeNames, const LinePlan& east,
                 const LinePlan& west);

}  // namespace cab::demo
