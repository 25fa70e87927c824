#pragma once

#include <QImage>
#include <QPainter>
#include <vector>

#include "core/common/picture.h"
#include "core/presentation/sprite_model.h"

namespace cab::qt {

// A Picture as a QImage sharing no memory with it (ARGB32 premultiplied).
QImage toImage(const Picture& picture);

// Draws the sprite model: each visible sprite's pattern cell, with the
// image's transparent colour keyed out, stretched to the sprite's size,
// rotated about its centre, at its alpha. Image lists only grow, so each
// image is converted once, when it is first drawn; another model starts a
// new cache. Scaling and rotation are smooth: needles turn without jaggies.
class SpritePainter {
 public:
  void draw(QPainter& painter, const SpriteModel& model);

 private:
  const QImage& imageFor(const SpriteModel& model, int index);
  const SpriteModel* cachedModel_ = nullptr;
  std::vector<QImage> cache_;
};

}  // namespace cab::qt
