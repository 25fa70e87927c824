#pragma once
#include <QColor>
#include <algorithm>

namespace cab::demo {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

inline Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
inline Rgb scaled(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }

// The light a line was recorded in: full daylight, or dusk with a low sun,
// dimmer and warmer surfaces and a hazier distance. Every colour of the
// scene is given as its daylight colour and passes through here.
class SceneLight {
 public:
  explicit SceneLight(bool dusk) : dusk_(dusk) {}
  bool dusk() const { return dusk_; }

  Rgb operator()(Rgb day) const {
    if (!dusk_) return day;
    return {day.r * 0.6 + 8, day.g * 0.52 + 4, day.b * 0.48 + 8};
  }
  // A surface `z` metres away, fading into the haze of the distance.
  Rgb far(Rgb day, double z) const { return mix((*this)(day), haze(), z / (z + (dusk_ ? 520 : 900))); }
  Rgb haze() const { return dusk_ ? Rgb{150, 116, 112} : Rgb{190, 205, 215}; }
  Rgb skyTop() const { return dusk_ ? Rgb{40, 45, 95} : Rgb{70, 125, 205}; }
  Rgb skyHorizon() const { return dusk_ ? Rgb{245, 150, 90} : Rgb{205, 222, 238}; }
  // Light from windows and lamps: lit only at dusk.
  Rgb window(Rgb day) const { return dusk_ ? Rgb{255, 214, 140} : day; }

  QColor q(Rgb day, double z = 0) const { return qc(z > 0 ? far(day, z) : (*this)(day)); }
  static QColor qc(Rgb c) {
    const auto v = [](double x) { return std::clamp(int(x + 0.5), 0, 255); };
    return QColor(v(c.r), v(c.g), v(c.b));
  }

 private:
  bool dusk_;
};

}  // namespace cab::demo
