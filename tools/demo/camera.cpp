#include "camera.h"

#include <algorithm>
#include <cmath>

namespace cab::demo {

Camera::Camera(const LinePlan& plan, int width, int height)
    : plan_(plan), width_(width), height_(height), focal_(width * 0.85), horizon_(height * 0.42) {}

void Camera::moveTo(double metres) {
  metres_ = metres;
  // Integrate the curvature ahead into a lateral offset, with the camera
  // looking along the track where it stands.
  double heading = 0, x = 0;
  const double h0 = plan_.heightAt(metres);
  for (int z = 0; z <= Reach + 1; ++z) {
    lateral_[z] = x;
    rise_[z] = plan_.heightAt(metres + z) - h0;
    heading += plan_.curvatureAt(metres + z);
    x += heading;
  }
  sampleZ_.clear();
  sampleY_.clear();
  double highest = 1e9;
  for (double z = Near; z <= Reach; z *= 1.01) {
    highest = std::min(highest, horizon_ + (EyeHeight - rise(z)) * focal_ / z);
    sampleZ_.push_back(z);
    sampleY_.push_back(highest);
  }
}

double Camera::lateral(double ahead) const {
  const double z = std::clamp(ahead, 0.0, double(Reach));
  const int i = static_cast<int>(z);
  return lateral_[i] + (lateral_[i + 1] - lateral_[i]) * (z - i);
}

double Camera::rise(double ahead) const {
  const double z = std::clamp(ahead, 0.0, double(Reach));
  const int i = static_cast<int>(z);
  return rise_[i] + (rise_[i + 1] - rise_[i]) * (z - i);
}

Camera::Point Camera::project(double ahead, double side, double up) const {
  if (ahead < Near) return {};
  const double s = focal_ / ahead;
  return {width_ / 2.0 + (lateral(ahead) + side) * s, horizon_ + (EyeHeight - rise(ahead) - up) * s, s, true};
}

double Camera::groundAt(double y) const {
  // sampleY_ falls from near to far; find where it passes y.
  const auto it = std::lower_bound(sampleY_.begin(), sampleY_.end(), y, std::greater<double>());
  if (it == sampleY_.end()) return -1;
  const size_t k = size_t(it - sampleY_.begin());
  if (k == 0) return sampleZ_[0];
  const double y0 = sampleY_[k - 1], y1 = sampleY_[k];
  const double t = y0 > y1 ? (y0 - y) / (y0 - y1) : 1;
  return sampleZ_[k - 1] + (sampleZ_[k] - sampleZ_[k - 1]) * t;
}

}  // namespace cab::demo
