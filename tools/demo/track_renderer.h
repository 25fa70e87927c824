#pragma once
#include <QImage>

#include "line_plan.h"

namespace cab::demo {

// What else a frame shows besides the plain line.
struct SceneExtras {
  bool branch = false;       // a second track leaving to the right, other scenery
  double passingTrain = -1;  // metres ahead of a train on the other track; < 0 none
};

// Draws the view from the cab of a train standing `metres` along the line:
// sky, ground, ballast, sleepers, rails, catenary poles, platforms,
// tunnel portals and the dark inside, road crossings, curves and gradients.
class TrackRenderer {
 public:
  TrackRenderer(const LinePlan& plan, int width, int height);
  const QImage& render(double metres, const SceneExtras& extras = {});

 private:
  struct Projected {
    double x = 0, y = 0, scale = 0;
    bool visible = false;
  };
  void prepareCentreLine(double metres);
  Projected project(double ahead, double side, double up) const;
  void drawGround(QPainter& p, bool tunnel);
  void drawTrack(QPainter& p, double metres, bool dark);
  void drawPlatforms(QPainter& p, double metres);
  void drawPoles(QPainter& p, double metres, bool dark);
  void drawCrossings(QPainter& p, double metres);
  void drawBuildings(QPainter& p, double metres, const SceneExtras& extras);
  void drawTunnelPortals(QPainter& p, double metres);
  void drawPassingTrain(QPainter& p, double ahead);

  const LinePlan& plan_;
  int width_, height_;
  double focal_, horizon_;
  QImage image_;
  static constexpr int Reach = 400;  // metres drawn ahead
  double lateral_[Reach + 1] = {};
  double rise_[Reach + 1] = {};
};

}  // namespace cab::demo
