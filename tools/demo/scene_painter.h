#pragma once
#include <QPainter>
#include <functional>
#include <vector>

#include "camera.h"
#include "scene_light.h"
#include "scenery.h"
#include "tree_sprites.h"

namespace cab::demo {

// A point of the scene: line position (metres), side of the track centre
// (metres, right positive) and height above the rail head.
struct P3 {
  double a = 0, u = 0, up = 0;
};

// Draws the solid parts of the scene in three dimensions: faces clipped at
// the camera's near plane and shaded by distance, lines and wires that keep
// their true thickness (thinner than a pixel: fainter).
class ScenePainter {
 public:
  ScenePainter(QPainter& painter, const Camera& camera, const SceneLight& light, const TreeSprites& trees,
               double seconds);

  double ahead(double a) const { return a - camera.metres(); }
  Camera::Point at(P3 p) const { return camera.project(ahead(p.a), p.u, p.up); }
  // Pixels per metre `a` is seen at; 0 behind the near plane.
  double scaleAt(double a) const { return ahead(a) > Camera::Near ? camera.focal() / ahead(a) : 0; }
  // The largest scale anything from `a` on is seen at: the detail it needs.
  double detailAt(double a) const { return scaleAt(std::max(a, camera.metres() + Camera::Near + 0.1)); }
  QColor colour(Rgb day, double a) const;

  // A flat face. With a normal (line, side, up components) it is drawn only
  // from the side that normal points to.
  void face(const std::vector<P3>& points, Rgb day, P3 normal = {});
  void face(const std::vector<P3>& points, const QColor& colour, P3 normal = {});
  void line(P3 from, P3 to, Rgb day, double widthMetres);
  // A wire hung through the points; straight between them.
  void wire(const std::vector<P3>& points, Rgb day, double widthMetres);
  void tree(const Tree& t, int variant, double baseUp = 0);

  QPainter& painter;
  const Camera& camera;
  const SceneLight& light;
  const TreeSprites& trees;
  const double seconds;  // time of the frame in the recording, for flashing lamps

 private:
  bool faces(const std::vector<P3>& points, P3 normal) const;
  QPen pen(const QColor& colour, double widthPx) const;
};

// Something to draw at a distance; the frame draws them far to near.
struct DrawCall {
  double ahead;
  std::function<void()> draw;
};
using DrawList = std::vector<DrawCall>;

}  // namespace cab::demo
