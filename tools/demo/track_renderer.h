#pragma once
#include <QImage>
#include <memory>

#include "camera.h"
#include "line_plan.h"
#include "scene_light.h"
#include "scenery.h"
#include "sky_panorama.h"
#include "station_painter.h"
#include "tree_sprites.h"

namespace cab::demo {

// One picture of the recording run.
struct Shot {
  double metres = 0;         // where the camera stands
  double kmh = 0;            // how fast it moves (blurs the sleepers)
  double seconds = 0;        // time in the recording (flashing crossing lamps)
  bool branch = false;       // a second track leaving to the right
  double passingTrain = -1;  // metres ahead of a train on the passing loop; < 0 none
};

// Draws the view from the cab along a line: the sky and mountains turning
// with the curves, the ground and track bed in perspective, and everything
// standing along the line drawn far to near.
class TrackRenderer {
 public:
  TrackRenderer(const LinePlan& plan, int width, int height);
  const QImage& render(const Shot& shot);

 private:
  const LinePlan& plan_;
  Camera camera_;
  SceneLight light_;
  LineScenery scenery_;
  SkyPanorama sky_;
  TreeSprites trees_;
  StationBoards boards_;
  QImage image_;
};

}  // namespace cab::demo
