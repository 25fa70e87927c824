#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/picture.h"

namespace cab {

// How an image's transparent colour is chosen.
enum class Transparency {
  BottomLeftPixel,  // the colour of the picture's bottom-left pixel is transparent
  Opaque,           // nothing is transparent
  Black,            // colour 0 (black) is transparent
};

// A named picture cut into patterns of patternWidth x patternHeight, numbered
// left to right, then top to bottom. A pattern size of 0 means the whole picture.
struct ImageItem {
  std::string name;
  Picture picture;
  Transparency transparency = Transparency::BottomLeftPixel;
  int patternWidth = 0;
  int patternHeight = 0;

  int cellWidth() const { return patternWidth > 0 ? patternWidth : picture.width; }
  int cellHeight() const { return patternHeight > 0 ? patternHeight : picture.height; }
  int patternCount() const;
  // The transparent colour (0xRRGGBB), or nothing for an opaque image.
  std::optional<std::uint32_t> transparentColour() const;
};

// A picture placed on the cab surface. Width and height 0 draw the pattern at
// its own size; angle is in 1/1024 of a turn about the sprite's centre.
struct Sprite {
  int image = -1;  // index into SpriteModel::images()
  double x = 0;
  double y = 0;
  int depth = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  int pattern = 0;
  int angle = 0;
  int alpha = 255;
};

using SpriteId = int;

// The image list and the sprites of the cab surface. Sprites are drawn in
// ascending depth; sprites of equal depth in the order they were created.
class SpriteModel {
 public:
  int addImage(ImageItem item);
  const std::vector<ImageItem>& images() const { return images_; }
  const ImageItem& image(int index) const { return images_.at(static_cast<std::size_t>(index)); }
  // The index of the first image of that name, or -1.
  int findImage(const std::string& name) const;

  SpriteId addSprite(const Sprite& sprite);
  Sprite& sprite(SpriteId id) { return sprites_.at(static_cast<std::size_t>(id)); }
  const Sprite& sprite(SpriteId id) const { return sprites_.at(static_cast<std::size_t>(id)); }
  std::size_t spriteCount() const { return sprites_.size(); }

  // Sprite ids in drawing order.
  std::vector<SpriteId> drawingOrder() const;

 private:
  std::vector<ImageItem> images_;
  std::vector<Sprite> sprites_;
};

}  // namespace cab
