#include "backends/qt/sprite_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace cab::qt {
namespace {

constexpr std::uint32_t Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu, Magenta = 0xFFFF00FFu;

// A 4 x 2 picture of two 2 x 2 cells: cell 0 red, cell 1 green, with a
// magenta key pixel at the bottom left (inside cell 0).
ImageItem twoCells() {
  ImageItem item;
  item.name = "cells";
  item.picture = Picture(4, 2, Red);
  for (int y = 0; y < 2; ++y)
    for (int x = 2; x < 4; ++x) item.picture.pixels[static_cast<std::size_t>(y * 4 + x)] = Green;
  item.picture.pixels[4] = Magenta;  // (0, 1)
  item.patternWidth = 2;
  item.patternHeight = 2;
  return item;
}

QImage canvas() {
  QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor::fromRgb(Blue));
  return image;
}

QImage paint(const SpriteModel& model) {
  QImage image = canvas();
  QPainter painter(&image);
  SpritePainter sprites;
  sprites.draw(painter, model);
  return image;
}

std::uint32_t pixel(const QImage& image, int x, int y) { return image.pixel(x, y); }

TEST(SpritePainter, PatternCellsWithTheKeyColourLeftOut) {
  SpriteModel model;
  const int image = model.addImage(twoCells());
  Sprite first;
  first.image = image;
  model.addSprite(first);
  Sprite second = first;
  second.x = 4;
  second.pattern = 1;
  model.addSprite(second);
  const QImage out = paint(model);
  EXPECT_EQ(pixel(out, 0, 0), Red);
  EXPECT_EQ(pixel(out, 0, 1), Blue);  // the key colour shows what lies beneath
  EXPECT_EQ(pixel(out, 4, 0), Green);
  EXPECT_EQ(pixel(out, 2, 0), Blue);  // nothing between the two sprites
}

TEST(SpritePainter, DepthOrderHiddenSpritesStretchAndAlpha) {
  SpriteModel model;
  const int image = model.addImage(twoCells());
  Sprite back;
  back.image = image;
  back.pattern = 1;
  back.depth = 5;
  back.width = back.height = 8;  // stretched fourfold
  model.addSprite(back);
  Sprite front = back;
  front.pattern = 0;
  front.depth = 1;  // created later but drawn first: lower depth
  front.width = front.height = 2;
  model.addSprite(front);
  Sprite hidden = back;
  hidden.depth = 9;
  hidden.pattern = 0;
  hidden.visible = false;
  model.addSprite(hidden);
  Sprite faded;
  faded.image = image;
  faded.x = 10;
  faded.pattern = 1;
  faded.alpha = 128;
  model.addSprite(faded);
  const QImage out = paint(model);
  EXPECT_EQ(pixel(out, 0, 0), Green);  // the deeper sprite covers the shallower one
  EXPECT_EQ(pixel(out, 7, 7), Green);
  EXPECT_EQ(pixel(out, 9, 9), Blue);
  const QColor half = QColor::fromRgb(pixel(out, 10, 0));
  EXPECT_NEAR(half.green(), 128, 2);
  EXPECT_NEAR(half.blue(), 127, 2);
}

TEST(SpritePainter, RotationTurnsAboutTheCentre) {
  SpriteModel model;
  ImageItem bar;
  bar.name = "bar";
  bar.transparency = Transparency::Opaque;
  bar.picture = Picture(8, 2, Red);  // a horizontal bar
  const int image = model.addImage(bar);
  Sprite needle;
  needle.image = image;
  needle.x = 4;
  needle.y = 7;
  needle.angle = 256;  // a quarter turn
  model.addSprite(needle);
  const QImage out = paint(model);
  EXPECT_EQ(pixel(out, 8, 4), Red);  // now vertical through the centre (8, 8)
  EXPECT_EQ(pixel(out, 8, 11), Red);
  EXPECT_EQ(pixel(out, 5, 8), Blue);  // where the bar's ends were
  EXPECT_EQ(pixel(out, 11, 8), Blue);
}

TEST(SpritePainter, ImagesAddedLaterAreDrawnToo) {
  SpriteModel model;
  SpritePainter sprites;
  Sprite s;
  s.image = model.addImage(twoCells());
  model.addSprite(s);
  QImage out = canvas();
  {
    QPainter painter(&out);
    sprites.draw(painter, model);
  }
  ImageItem white;
  white.name = "white";
  white.transparency = Transparency::Opaque;
  white.picture = Picture(2, 2, 0xFFFFFFFFu);
  Sprite later;
  later.image = model.addImage(white);
  later.x = 8;
  model.addSprite(later);
  {
    QPainter painter(&out);
    sprites.draw(painter, model);
  }
  EXPECT_EQ(pixel(out, 8, 0), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(out, 0, 0), Red);
}

}  // namespace
}  // namespace cab::qt
