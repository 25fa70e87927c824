#include "cab_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "picture_kit.h"

namespace cab::demo {

namespace {

using namespace cab_layout;

QString q(const std::string& s) { return QString::fromStdString(s); }

// A strip of cells side by side, each drawn by `cell` inside a one-pixel
// key-coloured margin so the bottom-left pixel stays transparent.
QImage strip(int cells, int width, int height, int columns, const std::function<void(QPainter&, int, QRect)>& cell) {
  const int rows = (cells + columns - 1) / columns;
  QImage image = canvas(width * std::min(cells, columns), height * rows);
  QPainter p(&image);
  for (int i = 0; i < cells; ++i)
    cell(p, i, QRect((i % columns) * width + 1, (i / columns) * height + 1, width - 2, height - 2));
  return image;
}

void labelCell(QPainter& p, QRect r, const QString& text, QColor back, QColor fore) {
  p.fillRect(r, back);
  p.setPen(QColor(90, 90, 90));
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.setPen(fore);
  p.setFont(textFont(r.height() - 8, true));
  p.drawText(r, Qt::AlignCenter, text);
}

QImage needle(int size, QColor colour) {
  QImage image = canvas(size, size);
  QPainter p(&image);
  const double c = size / 2.0;
  QPainterPath path;
  path.moveTo(c - size * 0.025, c + size * 0.08);
  path.lineTo(c, size * 0.08);
  path.lineTo(c + size * 0.025, c + size * 0.08);
  path.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(path);
  p.setBrush(QColor(40, 40, 40));
  p.drawEllipse(QPointF(c, c), size * 0.05, size * 0.05);
  return image;
}

void drawDial(QPainter& p, const Dial& d, double maxValue, double one, int zero) {
  const int top = d.cy - PanelTop;
  p.setPen(QPen(QColor(160, 160, 160), 3));
  p.setBrush(QColor(20, 22, 26));
  p.drawEllipse(QPoint(d.cx, top), d.radius, d.radius);
  p.setFont(textFont(std::max(10, d.radius / 5)));
  const int steps = 8;
  for (int k = 0; k <= steps; ++k) {
    const double value = maxValue * k / steps;
    const double a = (zero + value * one) * std::numbers::pi / 180;
    const QPointF dir(std::sin(a), -std::cos(a));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(d.cx, top) + dir * (d.radius * 0.78), QPointF(d.cx, top) + dir * (d.radius * 0.93));
    const QPointF at = QPointF(d.cx, top) + dir * (d.radius * 0.62);
    p.drawText(QRectF(at.x() - 30, at.y() - 9, 60, 18), Qt::AlignCenter, QString::number(std::lround(std::abs(value))));
  }
  p.setPen(QColor(230, 200, 120));
  p.drawText(QRect(d.cx - d.radius, top + d.radius / 3, 2 * d.radius, 20), Qt::AlignCenter, QString::fromUtf8(d.label));
}

std::vector<QString> brakeLabels(const PanelLook& look) {
  std::vector<QString> labels;
  if (look.airBrake) {
    for (const char* s : {"運転", "抑速", "保ち", "重なり", "常用", "非常"}) labels.push_back(QString::fromUtf8(s));
    return labels;
  }
  labels.push_back(QString::fromUtf8("緩"));
  if (look.holdBack) labels.push_back(QString::fromUtf8("抑速"));
  for (int b = 1; b < look.brake; ++b) labels.push_back("B" + QString::number(b));
  labels.push_back(QString::fromUtf8("非常"));
  return labels;
}

QImage labelStrip(const std::vector<QString>& labels, QColor lit) {
  return strip(
      int(labels.size()), NotchCellWidth, NotchCellHeight, int(labels.size()),
      [&](QPainter& p, int i, QRect r) { labelCell(p, r, labels[i], i == 0 ? QColor(50, 50, 50) : lit, Qt::white); });
}

}  // namespace

void writeCommonCabPictures(const std::filesystem::path& root) {
  savePicture(needle(190, QColor(250, 250, 250)), root, cab_files::needleLarge());
  savePicture(needle(100, QColor(255, 90, 60)), root, cab_files::needleSmall());
  for (size_t i = 0; i < lamps().size(); ++i) {
    QImage lamp = canvas(LampWidth, LampHeight);
    QPainter p(&lamp);
    labelCell(p, QRect(1, 1, LampWidth - 2, LampHeight - 2), QString::fromUtf8(lamps()[i].label),
              QColor(lamps()[i].colour), Qt::black);
    p.end();
    savePicture(lamp, root, cab_files::lamp(int(i)));
  }
  for (size_t i = 0; i < bars().size(); ++i) {
    QImage bar = canvas(BarWidth, BarHeight);
    QPainter p(&bar);
    p.fillRect(QRect(1, 0, BarWidth - 2, BarHeight - 1), QColor(bars()[i].colour));
    p.end();
    savePicture(bar, root, cab_files::bar(int(i)));
  }
  savePicture(strip(200, DigiWidth, DigiHeight, DigiColumns,
                    [](QPainter& p, int n, QRect r) {
                      p.fillRect(r, QColor(10, 20, 10));
                      p.setPen(QColor(90, 255, 120));
                      p.setFont(textFont(r.height() - 6, true));
                      p.drawText(r.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, QString::number(n));
                    }),
              root, cab_files::digits());
  const char* others[cab_files::OtherCount] = {"乗降終了", "ドア扱い", "車掌"};
  for (int i = 0; i < cab_files::OtherCount; ++i) {
    QImage other = canvas(80, 26);
    QPainter p(&other);
    labelCell(p, QRect(1, 1, 78, 24), QString::fromUtf8(others[i]), QColor(240, 240, 160), Qt::black);
    p.end();
    savePicture(other, root, cab_files::other(i));
  }
  const char* monitor[MonitorCells] = {"次は", "停車", "通過", "終点"};
  savePicture(strip(MonitorCells, MonitorWidth, MonitorHeight, MonitorCells,
                    [&](QPainter& p, int i, QRect r) {
                      labelCell(p, r, QString::fromUtf8(monitor[i]), QColor(20, 30, 80), QColor(255, 220, 80));
                    }),
              root, cab_files::monitor());
}

void writeVehicleCabPictures(const std::filesystem::path& root, const PanelLook& look) {
  QImage panel = canvas(SurfaceWidth, SurfaceHeight - PanelTop, QColor(58, 66, 72));
  {
    QPainter p(&panel);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, SurfaceWidth, 62), QColor(36, 40, 44));
    for (size_t i = 0; i < dials().size(); ++i) {
      const Dial& d = dials()[i];
      if (i == 0)
        drawDial(p, d, look.maxSpeed, 270.0 / look.maxSpeed, d.zero);
      else if (i == 1)
        drawDial(p, d, look.brake, -270.0 / look.brake, d.zero);
      else
        drawDial(p, d, d.maxValue, d.one, d.zero);
    }
    p.setPen(QColor(200, 200, 200));
    p.setFont(textFont(12));
    for (const auto& b : bars())
      p.drawText(QRect(b.left - 6, BarZero - PanelTop - 112, 30, 16), Qt::AlignCenter, QString::fromUtf8(b.label));
    p.setFont(textFont(16, true));
    p.drawText(QRect(240, 62 + 6, 400, 20), Qt::AlignLeft, q(look.title));
    p.setFont(textFont(12));
    p.drawText(QRect(NotchPLeft, NotchTop - PanelTop - 16, 110, 14), Qt::AlignLeft, QString::fromUtf8("力行"));
    p.drawText(QRect(NotchBLeft, NotchTop - PanelTop - 16, 110, 14), Qt::AlignLeft, QString::fromUtf8("ブレーキ"));
  }
  savePicture(panel, root, look.folder + "panel.jpg");

  std::vector<QString> power{QString::fromUtf8("切")};
  for (int n = 1; n <= look.power; ++n) power.push_back("P" + QString::number(n));
  savePicture(labelStrip(power, QColor(30, 150, 60)), root, look.folder + "notch_p.bmp");
  savePicture(labelStrip(brakeLabels(look), QColor(170, 60, 40)), root, look.folder + "notch_b.bmp");
  // The second set: small lamps in a row, one per position.
  auto dots = [](int count, QColor lit) {
    return strip(count, NotchCellWidth, 14, count, [=](QPainter& p, int i, QRect r) {
      p.fillRect(r, QColor(30, 30, 30));
      const int w = r.width() / std::max(1, count - 1);
      for (int k = 1; k < count; ++k)
        p.fillRect(QRect(r.left() + (k - 1) * w + 1, r.top() + 2, w - 2, r.height() - 4),
                   k <= i ? lit : QColor(70, 70, 70));
    });
  };
  savePicture(dots(look.power + 1, QColor(60, 220, 90)), root, look.folder + "notch_p2.bmp");
  savePicture(dots(int(brakeLabels(look).size()), QColor(230, 80, 50)), root, look.folder + "notch_b2.bmp");
  savePicture(strip(int(look.signalSpeeds.size()), SignalLampWidth, SignalLampHeight, int(look.signalSpeeds.size()),
                    [&](QPainter& p, int i, QRect r) {
                      const int v = look.signalSpeeds[i];
                      labelCell(p, r, v == 0 ? QString::fromUtf8("停止") : QString::number(v),
                                v == 0 ? QColor(200, 30, 30) : QColor(30, 160, 60), Qt::white);
                    }),
              root, look.folder + "cabsignal.png");
  QImage panel2 = canvas(120, 28);
  {
    QPainter p(&panel2);
    labelCell(p, QRect(1, 1, 118, 26), QString::fromUtf8("前照灯 減光"), QColor(255, 240, 180), Qt::black);
  }
  savePicture(panel2, root, look.folder + "panel2.bmp");
  if (look.diesel) {
    const char* gears[3] = {"中立", "変速", "直結"};
    savePicture(strip(3, GearWidth, GearHeight, 3,
                      [&](QPainter& p, int i, QRect r) {
                        labelCell(p, r, QString::fromUtf8(gears[i]), i ? QColor(40, 120, 200) : QColor(60, 60, 60),
                                  Qt::white);
                      }),
                root, look.folder + "gear.bmp");
    savePicture(strip(3, LeverSize, LeverSize, 3,
                      [](QPainter& p, int i, QRect r) {
                        p.fillRect(r, QColor(45, 45, 50));
                        p.setPen(QPen(QColor(200, 200, 200), 6));
                        const QPoint base(r.center().x(), r.bottom() - 6);
                        p.drawLine(base, QPoint(r.left() + 10 + i * (r.width() - 20) / 2, r.top() + 8));
                      }),
                root, look.folder + "lever.bmp");
  }
}

}  // namespace cab::demo
