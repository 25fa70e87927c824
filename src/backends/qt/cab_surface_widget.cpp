#include "backends/qt/cab_surface_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstring>

namespace cab::qt {

CabSurfaceWidget::CabSurfaceWidget(int width, int height, QWidget* parent)
    : QWidget(parent),
      back_(width, height, QImage::Format_ARGB32_Premultiplied),
      front_(width, height, QImage::Format_ARGB32_Premultiplied) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
  back_.fill(Qt::black);
  front_.fill(Qt::black);
}

bool CabSurfaceWidget::canDraw() const { return isVisible() && !window()->isMinimized(); }

void CabSurfaceWidget::fill(std::uint32_t colour) { back_.fill(QColor::fromRgb(colour | 0xFF000000u)); }

void CabSurfaceWidget::drawVideoSurface(const Picture& surface) {
  // Rows are copied straight in: the surface is opaque and drawn at (0, 0).
  const int w = std::min(surface.width, back_.width());
  const int h = std::min(surface.height, back_.height());
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(back_.scanLine(y));
    const std::uint32_t* source = surface.pixels.data() + static_cast<std::size_t>(y) * surface.width;
    for (int x = 0; x < w; ++x) line[x] = source[x] | 0xFF000000u;
  }
}

void CabSurfaceWidget::drawSprites(const SpriteModel& sprites) {
  QPainter painter(&back_);
  sprites_.draw(painter, sprites);
}

void CabSurfaceWidget::flip() {
  std::swap(back_, front_);
  update();
}

void CabSurfaceWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, front_);
}

void CabSurfaceWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
}

}  // namespace cab::qt
