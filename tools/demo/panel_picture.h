#pragma once
#include <QImage>
#include <QPainter>

#include "cab_layout.h"

namespace cab::demo {

// The desk picture of a vehicle, 800 wide from the panel's top to the
// bottom of the cab surface: dials with their scales, the lamps dark, the
// windows the indicators show in.
QImage panelPicture(const CabDesign& design);

// An indicator lamp's lens with its label, dark or lit; the panel and the
// lit lamp pictures draw the same lens so that one covers the other exactly.
void lampLens(QPainter& p, const QRectF& where, QColor colour, const QString& label, bool lit);

}  // namespace cab::demo
