#pragma once

#include <QImage>
#include <QWidget>

#include "backends/qt/sprite_painter.h"
#include "core/platform/cab_surface.h"

namespace cab::qt {

// The cab drawing surface: frames are drawn into a back buffer and shown on flip.
class CabSurfaceWidget : public QWidget, public CabSurface {
  Q_OBJECT

 public:
  CabSurfaceWidget(int width, int height, QWidget* parent);

  bool canDraw() const override;
  void fill(std::uint32_t colour) override;
  void drawVideoSurface(const Picture& surface) override;
  void drawSprites(const SpriteModel& sprites) override;
  void flip() override;

  const QImage& shownImage() const { return front_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage back_;
  QImage front_;
  SpritePainter sprites_;
};

}  // namespace cab::qt
