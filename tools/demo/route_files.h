#pragma once
#include <filesystem>
#include <vector>

#include "line_plan.h"
#include "videos.h"

namespace cab::demo {

// Speeds of the signal aspects 0 (stop) to 4 (proceed).
inline const std::vector<int> SignalSpeeds{0, 25, 45, 65, 110};

// The five route files and their pictures.
void writeRoutes(const std::filesystem::path& root, const LinePlan& east, const LinePlan& west, VideoSize size);
// The station scene and the branch video that the route files switch to.
void writeSceneVideos(const std::filesystem::path& root, const LinePlan& east, const LinePlan& west, VideoSize size);

}  // namespace cab::demo
