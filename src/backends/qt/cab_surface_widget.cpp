#include "backends/qt/cab_surface_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace cab::qt {

CabSurfaceWidget::CabSurfaceWidget(int width, int height, QWidget* parent) : QWidget(parent), CabCanvas(width, height) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CabSurfaceWidget::canDraw() const { return isVisible() && !window()->isMinimized(); }

void CabSurfaceWidget::flip() {
  CabCanvas::flip();
  update();
}

void CabSurfaceWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, shownImage());
}

void CabSurfaceWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
}

}  // namespace cab::qt
