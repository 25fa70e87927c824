#pragma once

#include <QWidget>

#include "backends/qt/cab_canvas.h"

namespace cab::qt {

// The cab drawing surface in the driving window: the canvas's shown image,
// repainted on every flip.
class CabSurfaceWidget : public QWidget, public CabCanvas {
  Q_OBJECT

 public:
  CabSurfaceWidget(int width, int height, QWidget* parent);

  bool canDraw() const override;
  void flip() override;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace cab::qt
