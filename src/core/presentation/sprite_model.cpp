#include "core/presentation/sprite_model.h"

#include <algorithm>
#include <numeric>

namespace cab {

int ImageItem::patternCount() const {
  const int w = cellWidth(), h = cellHeight();
  if (w <= 0 || h <= 0) return 0;
  return (picture.width / w) * (picture.height / h);
}

std::optional<std::uint32_t> ImageItem::transparentColour() const {
  switch (transparency) {
    case Transparency::Opaque:
      return std::nullopt;
    case Transparency::Black:
      return 0u;
    case Transparency::BottomLeftPixel:
      break;
  }
  if (picture.empty()) return std::nullopt;
  return picture.at(0, picture.height - 1) & 0xFFFFFFu;
}

int SpriteModel::addImage(ImageItem item) {
  images_.push_back(std::move(item));
  return static_cast<int>(images_.size()) - 1;
}

int SpriteModel::findImage(const std::string& name) const {
  for (std::size_t i = 0; i < images_.size(); ++i)
    if (images_[i].name == name) return static_cast<int>(i);
  return -1;
}

SpriteId SpriteModel::addSprite(const Sprite& sprite) {
  sprites_.push_back(sprite);
  return static_cast<SpriteId>(sprites_.size()) - 1;
}

std::vector<SpriteId> SpriteModel::drawingOrder() const {
  std::vector<SpriteId> order(sprites_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](SpriteId a, SpriteId b) { return sprites_[a].depth < sprites_[b].depth; });
  return order;
}

}  // namespace cab
