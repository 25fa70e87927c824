#pragma once
#include "scene_painter.h"

namespace cab::demo {

// Level crossings with their warning posts and lowered barriers, bridges,
// and tunnels (the portal in its hillside, the cutting before it, the dark
// lined tube with its lamps), between line positions from and to.
void addStructures(DrawList& list, ScenePainter& painter, const LineScenery& scenery, double from, double to);

}  // namespace cab::demo
