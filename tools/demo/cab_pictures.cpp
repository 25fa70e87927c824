#include "cab_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "panel_picture.h"
#include "picture_kit.h"

namespace cab::demo {

namespace {

using namespace cab_cells;

QString q(const std::string& s) { return QString::fromStdString(s); }

// A strip of cells side by side (and row by row past `columns`), each drawn
// by `cell` inside a one-pixel key-coloured margin so that the bottom-left
// pixel stays transparent.
QImage strip(int cells, int width, int height, int columns, const std::function<void(QPainter&, int, QRectF)>& cell) {
  const int rows = (cells + columns - 1) / columns;
  QImage image = canvas(width * std::min(cells, columns), height * rows);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  for (int i = 0; i < cells; ++i)
    cell(p, i, QRectF((i % columns) * width + 1, (i / columns) * height + 1, width - 2, height - 2));
  return image;
}

void labelCell(QPainter& p, const QRectF& r, const QString& text, QColor back, QColor fore) {
  p.setPen(Qt::NoPen);
  p.fillRect(r, back);
  p.setPen(QPen(back.darker(150), 1));
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
  p.setPen(fore);
  p.setFont(smoothFont(std::min(int(r.height()) - 9, int(r.width() / (text.size() + 0.8))), true));
  p.drawText(r, Qt::AlignCenter, text);
}

// A needle pointing straight up from the picture's centre, which it turns
// about, with a short tail and the hub; blended at its edges with the face.
QImage needle(int size, QColor colour, QColor face) {
  QImage drawing(size, size, QImage::Format_ARGB32_Premultiplied);
  drawing.fill(Qt::transparent);
  QPainter p(&drawing);
  p.setRenderHint(QPainter::Antialiasing);
  const double c = size / 2.0, r = size / 2.0;
  const double base = std::max(1.6, r * 0.045), tip = std::max(0.7, r * 0.012);
  QPainterPath path;
  path.moveTo(c - base, c);
  path.lineTo(c - tip, c - r * 0.86);
  path.lineTo(c + tip, c - r * 0.86);
  path.lineTo(c + base, c);
  path.lineTo(c + base * 1.3, c + r * 0.2);
  path.lineTo(c - base * 1.3, c + r * 0.2);
  path.closeSubpath();
  p.setPen(QPen(colour.darker(170), std::max(0.6, r / 120)));
  p.setBrush(colour);
  p.drawPath(path);
  QRadialGradient hub(QPointF(c - r * 0.02, c - r * 0.03), r * 0.11);
  hub.setColorAt(0, QColor(150, 150, 150));
  hub.setColorAt(1, QColor(30, 30, 32));
  p.setPen(Qt::NoPen);
  p.setBrush(hub);
  p.drawEllipse(QPointF(c, c), r * 0.09, r * 0.09);
  p.end();
  return keyedOver(drawing, face);
}

QImage litLamp(int width, int height, QColor colour, const QString& label, QColor surround) {
  QImage drawing(width, height, QImage::Format_ARGB32_Premultiplied);
  drawing.fill(Qt::transparent);
  QPainter p(&drawing);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  lampLens(p, QRectF(0, 0, width, height), colour, label, true);
  p.end();
  QImage lamp = keyedOver(drawing, surround);
  // Only the outermost pixels stay transparent; inside, the lens sits on the lamp's bezel.
  for (int y = 1; y + 1 < height; ++y)
    for (int x = 1; x + 1 < width; ++x)
      if (lamp.pixel(x, y) == KeyColour.rgb()) lamp.setPixel(x, y, surround.rgb());
  return lamp;
}

std::vector<QString> brakeLabels(const CabDesign& d) {
  std::vector<QString> labels;
  if (d.airBrake) {
    for (const char* s : {"運転", "抑速", "保ち", "重なり", "常用", "非常"}) labels.push_back(QString::fromUtf8(s));
    return labels;
  }
  labels.push_back(QString::fromUtf8("緩"));
  if (d.holdBack) labels.push_back(QString::fromUtf8("抑速"));
  for (int b = 1; b < d.brake; ++b) labels.push_back("B" + QString::number(b));
  labels.push_back(QString::fromUtf8("非常"));
  return labels;
}

QImage labelStrip(const std::vector<QString>& labels, QColor lit) {
  return strip(int(labels.size()), NotchWidth, NotchHeight, int(labels.size()), [&](QPainter& p, int i, QRectF r) {
    labelCell(p, r, labels[size_t(i)], i == 0 ? QColor(54, 56, 60) : lit, i == 0 ? QColor(200, 200, 200) : Qt::white);
  });
}

// The second indicator set: a row of small lamps lit up to the position.
QImage dotStrip(int count, QColor lit) {
  return strip(count, NotchWidth, Notch2Height, count, [=](QPainter& p, int i, QRectF r) {
    p.fillRect(r, QColor(18, 18, 20));
    const double w = r.width() / std::max(1, count - 1);
    for (int k = 1; k < count; ++k)
      p.fillRect(QRectF(r.left() + (k - 1) * w + 1.5, r.top() + 2, w - 3, r.height() - 4),
                 k <= i ? lit : QColor(58, 58, 60));
  });
}

void writeNeedles(const std::filesystem::path& root, const CabDesign& d) {
  for (const auto& dial : d.dials)
    for (const auto& n : dial.needles)
      savePicture(needle(dial.radius * 2, QColor(n.colour), QColor(d.face)), root, needleFile(d, n.key));
}

void writeLamps(const std::filesystem::path& root, const CabDesign& d) {
  for (size_t i = 0; i < d.lamps.size(); ++i)
    savePicture(litLamp(d.lampWidth, d.lampHeight, QColor(d.lamps[i].colour), q(d.lamps[i].label), QColor(d.lampStrip)),
                root, cab_files::lamp(d, i));
  const auto& labels = otherLabels();
  for (size_t i = 0; i < d.others.size(); ++i)
    if (d.others[i].used())
      savePicture(litLamp(OtherWidth, OtherHeight, QColor(240, 200, 120), q(labels[i]), QColor(d.lampStrip)), root,
                  cab_files::other(d, i));
  for (size_t i = 0; i < d.bars.size(); ++i) {
    QImage bar = canvas(BarWidth, BarHeight);
    QPainter p(&bar);
    const QColor c(d.bars[i].colour);
    for (int y = 0; y + 1 < BarHeight; y += 4) p.fillRect(QRect(1, y, BarWidth - 2, 3), y % 8 ? c : c.lighter(120));
    p.end();
    savePicture(bar, root, cab_files::bar(d, i));
  }
}

void writeIndicators(const std::filesystem::path& root, const CabDesign& d) {
  std::vector<QString> power{QString::fromUtf8("切")};
  for (int n = 1; n <= d.power; ++n) power.push_back("P" + QString::number(n));
  savePicture(labelStrip(power, QColor(30, 150, 70)), root, cab_files::notch(d, "p"));
  savePicture(labelStrip(brakeLabels(d), QColor(180, 60, 40)), root, cab_files::notch(d, "b"));
  savePicture(dotStrip(d.power + 1, QColor(70, 230, 100)), root, cab_files::notch(d, "p2"));
  savePicture(dotStrip(int(brakeLabels(d).size()), QColor(240, 90, 60)), root, cab_files::notch(d, "b2"));
  if (d.panel2.used()) {
    // Shown in tunnels: the instrument lights are on.
    QImage plate = canvas(NotchWidth, 22);
    QPainter p(&plate);
    p.setRenderHint(QPainter::TextAntialiasing);
    labelCell(p, QRectF(1, 1, NotchWidth - 2, 20), QString::fromUtf8("計器灯 点灯"), QColor(255, 236, 170), Qt::black);
    p.end();
    savePicture(plate, root, cab_files::panel2(d));
  }
  if (d.diesel) {
    const char* gears[3] = {"中立", "変速", "直結"};
    savePicture(strip(3, GearWidth, GearHeight, 3,
                      [&](QPainter& p, int i, QRectF r) {
                        labelCell(p, r, QString::fromUtf8(gears[i]), i ? QColor(40, 120, 210) : QColor(60, 62, 66),
                                  Qt::white);
                      }),
                root, cab_files::gear(d));
    savePicture(strip(3, LeverSize, LeverSize, 3,
                      [](QPainter& p, int i, QRectF r) {
                        p.fillRect(r, QColor(26, 28, 32));
                        const QPointF base(r.center().x(), r.bottom() - 8);
                        const QPointF knob(r.left() + 12 + i * (r.width() - 24) / 2, r.top() + 12);
                        p.setPen(QPen(QColor(190, 190, 196), 5, Qt::SolidLine, Qt::RoundCap));
                        p.drawLine(base, knob);
                        p.setPen(Qt::NoPen);
                        p.setBrush(QColor(30, 30, 30));
                        p.drawEllipse(knob, 6, 6);
                      }),
                root, cab_files::lever(d));
  }
}

}  // namespace

void writeCommonCabPictures(const std::filesystem::path& root) {
  savePicture(strip(DigiFrames, DigiWidth, DigiHeight, DigiColumns,
                    [](QPainter& p, int n, QRectF r) {
                      p.fillRect(r, QColor(6, 14, 8));
                      p.setPen(QColor(90, 255, 130));
                      p.setFont(smoothFont(int(r.height()) - 6, true));
                      p.drawText(r.adjusted(0, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter, QString::number(n));
                    }),
              root, cab_files::digits());
  const char* monitor[MonitorCells] = {"次は", "停車", "通過", "終点"};
  savePicture(strip(MonitorCells, MonitorWidth, MonitorHeight, MonitorCells,
                    [&](QPainter& p, int i, QRectF r) {
                      labelCell(p, r, QString::fromUtf8(monitor[i]), QColor(16, 28, 72), QColor(255, 220, 90));
                    }),
              root, cab_files::monitor());
}

void writeVehicleCabPictures(const std::filesystem::path& root, const CabDesign& design) {
  savePicture(panelPicture(design), root, cab_files::panel(design));
  writeNeedles(root, design);
  writeLamps(root, design);
  writeIndicators(root, design);
}

}  // namespace cab::demo
