#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "line_plan.h"
#include "videos.h"

namespace cab::demo {

// The title window's pictures: four title pictures (views from the cab of
// the two lines under the program's name), the menu picture, the five
// route buttons naming their routes in the order of `routeNames`, the train
// button, the selection cursor and the start prompt.
void writeTitleScreen(const std::filesystem::path& root, const std::vector<std::string>& routeNames,
                      const LinePlan& east, const LinePlan& west);

// "move\opening.avi": a few seconds out of the east line's first station,
// the program's name coming up over the run, at the given size.
void writeOpeningMovie(const std::filesystem::path& root, const LinePlan& east, VideoSize size);

}  // namespace cab::demo
