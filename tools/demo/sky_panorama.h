#pragma once
#include <QImage>

#include "camera.h"
#include "scene_light.h"

namespace cab::demo {

// The sky, clouds and distant mountains all round the line, painted once
// into a strip wide enough for every heading the camera takes; each frame
// copies the part ahead, so the background turns with the curves.
class SkyPanorama {
 public:
  SkyPanorama(const LinePlan& plan, const Camera& camera, const SceneLight& light);
  // Fills the rows of `frame` above the ground for a camera heading (radians).
  void blit(QImage& frame, double heading) const;

 private:
  QImage strip_;
  double minHeading_ = 0, focal_ = 0;
  int rows_ = 0;
};

}  // namespace cab::demo
