#include "backends/qt/sprite_painter.h"

#include <cstring>

namespace cab::qt {

QImage toImage(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                static_cast<std::size_t>(picture.width) * 4);
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

namespace {

QImage keyedImage(const ImageItem& item) {
  QImage image(item.picture.width, item.picture.height, QImage::Format_ARGB32);
  const auto key = item.transparentColour();
  for (int y = 0; y < item.picture.height; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < item.picture.width; ++x) {
      const std::uint32_t p = item.picture.at(x, y);
      line[x] = key && (p & 0xFFFFFFu) == *key ? 0u : p;
    }
  }
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

const QImage& SpritePainter::imageFor(const SpriteModel& model, int index) {
  if (cachedModel_ != &model || cache_.size() > model.images().size()) {
    cache_.clear();
    cachedModel_ = &model;
  }
  while (cache_.size() < model.images().size()) cache_.push_back(keyedImage(model.images()[cache_.size()]));
  return cache_[static_cast<std::size_t>(index)];
}

void SpritePainter::draw(QPainter& painter, const SpriteModel& model) {
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  for (SpriteId id : model.drawingOrder()) {
    const Sprite& s = model.sprite(id);
    if (!s.visible || s.alpha <= 0 || s.image < 0 || s.image >= static_cast<int>(model.images().size())) continue;
    const ImageItem& item = model.image(s.image);
    const int count = item.patternCount();
    if (count <= 0) continue;
    const int cw = item.cellWidth(), ch = item.cellHeight();
    const int columns = item.picture.width / cw;
    const int pattern = ((s.pattern % count) + count) % count;
    const QRect source((pattern % columns) * cw, (pattern / columns) * ch, cw, ch);
    const int w = s.width > 0 ? s.width : cw;
    const int h = s.height > 0 ? s.height : ch;
    painter.save();
    painter.setOpacity(s.alpha / 255.0);
    if (s.angle % 1024 != 0) {
      painter.translate(s.x + w / 2.0, s.y + h / 2.0);
      painter.rotate((s.angle % 1024) * 360.0 / 1024.0);
      painter.drawImage(QRectF(-w / 2.0, -h / 2.0, w, h), imageFor(model, s.image), source);
    } else {
      painter.drawImage(QRectF(s.x, s.y, w, h), imageFor(model, s.image), source);
    }
    painter.restore();
  }
}

}  // namespace cab::qt
