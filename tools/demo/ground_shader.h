#pragma once
#include <QImage>

#include "camera.h"
#include "scenery.h"

namespace cab::demo {

struct GroundView {
  const Camera& camera;
  const LineScenery& scenery;
  const SceneLight& light;
  double blurMetres = 0;  // how far the camera moves while the shutter is open
  bool branch = false;    // a second track leaving to the right ahead of the camera
};

// Paints the ground row by row: each screen row below the horizon sees the
// ground at one distance, so fields, ballast shoulders, sleepers, rails,
// roads, rivers and tunnel floors are laid out across it in true
// perspective, each edge antialiased by its pixel coverage and the sleepers
// blurred by the camera's motion.
void shadeGround(QImage& image, const GroundView& view);

}  // namespace cab::demo
