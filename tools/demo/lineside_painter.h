#pragma once
#include "scene_painter.h"

namespace cab::demo {

// Houses, trees, catenary masts with their wires, or telegraph poles with
// theirs, between line positions from and to.
void addLineside(DrawList& list, ScenePainter& painter, const LineScenery& scenery, double from, double to);

}  // namespace cab::demo
