#pragma once
#include <filesystem>

#include "line_plan.h"

namespace cab::demo {

struct VideoSize {
  int width = 640;
  int height = 360;
};

// The main video of a line: frame f shows the view at the distance the
// recording-speed table gives for f.
void writeLineVideo(const LinePlan& plan, const std::filesystem::path& file, VideoSize size);
// A branch video: the same run from `startFrame` on, with a second track
// leaving to the right and other scenery; `frames` frames long.
void writeBranchVideo(const LinePlan& plan, const std::filesystem::path& file, VideoSize size, int startFrame,
                      int frames);
// A scene at a standing train: a train on the other track pulls away. A
// standing train's station video moves on once a second of the route clock,
// so each frame is one second of the scene.
void writeStationVideo(const LinePlan& plan, int station, const std::filesystem::path& file, VideoSize size,
                       int frames);

}  // namespace cab::demo
