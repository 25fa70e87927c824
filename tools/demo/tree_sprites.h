#pragma once
#include <QImage>
#include <QPainter>
#include <array>
#include <vector>

#include "scene_light.h"

namespace cab::demo {

// Pictures of trees drawn once in a few variants and sizes: a tree far away
// is drawn from a small picture (painted already hazy), a near one from a
// large one, so that scaling never loses or flickers detail.
class TreeSprites {
 public:
  enum Kind { Conifer, Broadleaf, Grove, Bush, KindCount };
  TreeSprites(const SceneLight& light, double focal);
  // Draws a tree standing on `base` (screen pixels) `heightPx` tall.
  void draw(QPainter& p, int kind, int variant, QPointF base, double heightPx) const;
  static double aspect(int kind);  // width over height

 private:
  static constexpr int Variants = 3, Levels = 5, Largest = 256;
  std::array<std::array<std::array<QImage, Levels>, Variants>, KindCount> sprites_;
};

}  // namespace cab::demo
