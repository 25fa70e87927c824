#pragma once
#include <vector>

#include "line_plan.h"

namespace cab::demo {

// The camera of the recording run: the driver's eye above the rail head,
// looking along the track where the train stands. Positions are given as
// metres ahead along the track, metres to the side of its centre line
// (right positive) and metres above the rail head.
class Camera {
 public:
  static constexpr double EyeHeight = 2.4;
  static constexpr double Near = 0.8;  // nothing closer is drawn
  static constexpr int Reach = 400;    // metres drawn ahead

  Camera(const LinePlan& plan, int width, int height);
  // Follows the curves and gradients ahead of a train standing at `metres`.
  void moveTo(double metres);

  struct Point {
    double x = 0, y = 0;
    double scale = 0;  // pixels per metre at that distance
    bool visible = false;
  };
  Point project(double ahead, double side, double up) const;
  // The track centre's offset and height relative to the camera `ahead` metres on.
  double lateral(double ahead) const;
  double rise(double ahead) const;
  // Distance along the ground seen at screen row edge y (0 = top edge of the
  // picture); beyond Reach or above the visible ground: a negative value.
  double groundAt(double y) const;

  int width() const { return width_; }
  int height() const { return height_; }
  double focal() const { return focal_; }
  double horizon() const { return horizon_; }
  double metres() const { return metres_; }

 private:
  const LinePlan& plan_;
  int width_, height_;
  double focal_, horizon_;
  double metres_ = 0;
  double lateral_[Reach + 2] = {};
  double rise_[Reach + 2] = {};
  // Ground samples from near to far: distance and the highest screen row
  // seen up to it (a crest hides the ground behind it).
  std::vector<double> sampleZ_, sampleY_;
};

}  // namespace cab::demo
