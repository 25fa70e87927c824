#pragma once
#include <QImage>
#include <array>
#include <vector>

#include "scene_painter.h"

namespace cab::demo {

// The name boards of a line's stations, drawn once: the name large, the
// neighbouring stations beside arrows on the line's colour band.
class StationBoards {
 public:
  StationBoards(const LineScenery& scenery, const SceneLight& light);
  // Draws the board of station i into a screen rectangle.
  void draw(QPainter& p, size_t station, const QRectF& where) const;
  static constexpr double Width = 2.4, Height = 0.95;  // metres

 private:
  static constexpr int Levels = 4;
  std::vector<std::array<QImage, Levels>> boards_;
};

// Platforms with their edge lines and canopies, name boards and a train
// standing on the loop, between line positions from and to.
void addStations(DrawList& list, ScenePainter& painter, const LineScenery& scenery, const StationBoards& boards,
                 double from, double to);
// The rear of a train on the passing loop of the station at `stop`, `ahead`
// metres in front of the camera.
void addPassingTrain(DrawList& list, ScenePainter& painter, const StationSite& station, double ahead);

}  // namespace cab::demo
