#include "track_renderer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ground_shader.h"
#include "lineside_painter.h"
#include "scene_painter.h"
#include "structure_painter.h"

namespace cab::demo {

namespace {

constexpr double ShutterSeconds = 1.0 / 60;

}  // namespace

TrackRenderer::TrackRenderer(const LinePlan& plan, int width, int height)
    : plan_(plan),
      camera_(plan, width, height),
      light_(plan.dusk),
      scenery_(plan),
      sky_(plan, camera_, light_),
      trees_(light_, camera_.focal()),
      boards_(scenery_, light_),
      image_(width, height, QImage::Format_RGB32) {}

const QImage& TrackRenderer::render(const Shot& shot) {
  camera_.moveTo(shot.metres);
  sky_.blit(image_, plan_.headingAt(shot.metres));
  shadeGround(image_, {camera_, scenery_, light_, shot.kmh / 3.6 * ShutterSeconds, shot.branch});

  QPainter p(&image_);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  ScenePainter sp(p, camera_, light_, trees_, shot.seconds);
  DrawList list;
  // Things are drawn until a metre shrinks to about a pixel and a house to a few.
  const double from = shot.metres + Camera::Near,
               to = shot.metres + std::min(Camera::Reach * 1.0, camera_.focal() * 0.8);
  addLineside(list, sp, scenery_, from, to);
  addStations(list, sp, scenery_, boards_, from, to);
  addStructures(list, sp, scenery_, from, to);
  if (shot.passingTrain >= 0) {
    const auto nearest = std::min_element(scenery_.stations.begin(), scenery_.stations.end(), [&](auto& x, auto& y) {
      return std::fabs(x.stop - shot.metres) < std::fabs(y.stop - shot.metres);
    });
    addPassingTrain(list, sp, *nearest, shot.passingTrain);
  }
  std::stable_sort(list.begin(), list.end(), [](const DrawCall& x, const DrawCall& y) { return x.ahead > y.ahead; });
  for (const auto& call : list) call.draw();
  return image_;
}

}  // namespace cab::demo
