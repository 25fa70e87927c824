#pragma once

#include <QFont>
#include <QImage>
#include <QSize>

#include "backends/qt/sprite_painter.h"
#include "core/platform/cab_surface.h"

namespace cab::qt {

// The face of the texts on the video at a size in points: bold italic, the
// first installed of the families the data's texts are written for.
QFont videoTextFont(int size);

// The cab surface painted into images: a frame is drawn into the back image
// and shown by flip. The window shows the shown image; offscreen runs save it.
class CabCanvas : public CabSurface {
 public:
  CabCanvas(int width, int height);

  bool canDraw() const override { return true; }
  void fill(std::uint32_t colour) override;
  void drawVideoSurface(const Picture& surface) override;
  void drawVideoTexts(std::span<const VideoText> texts) override;
  void drawSprites(const SpriteModel& sprites) override;
  void flip() override;
  int textWidth(const std::string& text, int size) const override;

  const QImage& shownImage() const { return front_; }

 private:
  QImage back_;
  QImage front_;
  QSize video_;  // the video surface drawn last: its texts are clipped to it
  SpritePainter sprites_;
};

}  // namespace cab::qt
