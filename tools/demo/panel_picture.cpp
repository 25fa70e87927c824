#include "panel_picture.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "picture_kit.h"

namespace cab::demo {

namespace {

using namespace cab_cells;
constexpr int Top = cab_surface::PanelTop;

QString q(const std::string& s) { return QString::fromStdString(s); }

QPointF along(QPointF centre, double degrees, double radius) {
  const double a = degrees * std::numbers::pi / 180;
  return centre + QPointF(std::sin(a), -std::cos(a)) * radius;
}

// A recessed window in the desk with a thin light edge below it.
void bezel(QPainter& p, const QRectF& r, QColor fill) {
  p.setPen(QPen(QColor(0, 0, 0, 110), 1.5));
  p.setBrush(fill);
  p.drawRoundedRect(r, 4, 4);
  p.setPen(QPen(QColor(255, 255, 255, 40), 1));
  p.drawLine(r.bottomLeft() + QPointF(4, 1), r.bottomRight() + QPointF(-4, 1));
}

void dial(QPainter& p, const DialSpec& d, QColor face, QColor marking) {
  const QPointF c(d.cx, d.cy - Top);
  const double r = d.radius;
  QLinearGradient metal(c - QPointF(r, r), c + QPointF(r, r));
  metal.setColorAt(0, QColor(210, 212, 214));
  metal.setColorAt(0.5, QColor(120, 122, 126));
  metal.setColorAt(1, QColor(60, 62, 66));
  p.setPen(Qt::NoPen);
  p.setBrush(metal);
  p.drawEllipse(c, r + 6, r + 6);
  p.setBrush(QColor(20, 20, 22));
  p.drawEllipse(c, r + 2, r + 2);
  QRadialGradient glow(c - QPointF(0, r * 0.3), r * 1.3);
  glow.setColorAt(0, face.lighter(112));
  glow.setColorAt(1, face);
  p.setBrush(glow);
  p.drawEllipse(c, r, r);
  if (d.redFrom > 0) {
    const double a0 = d.angleOf(d.redFrom), a1 = d.angleOf(d.to);
    QPainterPath arc;
    const QRectF box(c - QPointF(r * 0.88, r * 0.88), c + QPointF(r * 0.88, r * 0.88));
    arc.arcMoveTo(box, 90 - a0);
    arc.arcTo(box, 90 - a0, -(a1 - a0));
    p.strokePath(arc, QPen(QColor(220, 40, 30), r * 0.07, Qt::SolidLine, Qt::FlatCap));
  }
  const auto isMultiple = [](double v, double step) { return std::fabs(v / step - std::round(v / step)) < 1e-6; };
  for (double v = d.from; v <= d.to + 1e-9; v += d.minor) {
    const bool major = isMultiple(v, d.major);
    const double a = d.angleOf(v);
    p.setPen(QPen(marking, major ? std::max(1.6, r / 45) : std::max(1.0, r / 90), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(along(c, a, r * (major ? 0.78 : 0.86)), along(c, a, r * 0.94));
  }
  p.setPen(marking);
  p.setFont(smoothFont(int(std::max(10.0, r / 6.2)), r > 90));
  for (double v = d.from; v <= d.to + 1e-9; v += d.numbered) {
    const QPointF at = along(c, d.angleOf(v), r * 0.62);
    p.drawText(QRectF(at.x() - 24, at.y() - 10, 48, 20), Qt::AlignCenter, QString::number(std::lround(std::fabs(v))));
  }
  // The needles' names in their colours above the unit.
  p.setFont(smoothFont(int(std::max(10.0, r / 7)), true));
  // A small dial has its unit low between the scale's ends.
  const QRectF unit = r >= 70 ? QRectF(c.x() - r, c.y() + r * 0.3, 2 * r, r * 0.22)
                              : QRectF(c.x() - r * 0.5, c.y() + r * 0.6, r, r * 0.26);
  if (d.needles.size() > 1) {
    const double w = r * 0.55;
    for (size_t i = 0; i < d.needles.size(); ++i) {
      const std::string key = d.needles[i].key;
      p.setPen(QColor(d.needles[i].colour));
      p.drawText(QRectF(c.x() + (double(i) - (d.needles.size() - 1) / 2.0) * w - w / 2, c.y() - r * 0.42, w, r * 0.22),
                 Qt::AlignCenter, q(key.substr(8, key.size() - 9)));
    }
  }
  p.setPen(marking);
  p.drawText(unit, Qt::AlignCenter, q(d.label));
  // A faint reflection on the glass.
  QPainterPath shine;
  shine.addEllipse(c - QPointF(r * 0.55, r * 0.85), r * 1.1, r * 0.6);
  QPainterPath glass;
  glass.addEllipse(c, r, r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 14));
  p.drawPath(glass.intersected(shine));
}

void bars(QPainter& p, const CabDesign& d) {
  if (d.bars.empty()) return;
  const int left = d.bars.front().left - 8, right = d.bars.back().left + BarWidth + 24;
  const double bottom = cab_surface::PanelHeight, top = bottom - BarHeight;
  bezel(p, QRectF(left, top - 20, right - left, BarHeight + 22), QColor(16, 18, 20));
  p.setFont(smoothFont(11, true));
  int shown = -1;
  for (const auto& b : d.bars) {
    if (b.left == shown) continue;  // the power and brake current share one window
    shown = b.left;
    p.fillRect(QRectF(b.left, top, BarWidth, BarHeight), QColor(34, 36, 40));
    p.setPen(QColor(220, 220, 214));
    p.drawText(QRectF(b.left - 8, top - 18, BarWidth + 16, 16), Qt::AlignCenter, q(b.label));
    p.setPen(QPen(QColor(150, 150, 146), 1));
    for (int k = 1; k < 5; ++k)
      p.drawLine(QPointF(b.left + BarWidth, bottom - k * 20), QPointF(b.left + BarWidth + 4, bottom - k * 20));
  }
}

void lampBezel(QPainter& p, const CabDesign& d, int left, int top, int w, int h) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(d.lampStrip));
  p.drawRoundedRect(QRectF(left - 3, top - 3 - Top, w + 6, h + 6), 3, 3);
}

}  // namespace

void lampLens(QPainter& p, const QRectF& r, QColor colour, const QString& label, bool lit) {
  const QRectF lens = r.adjusted(1, 1, -1, -1);
  p.setPen(QPen(QColor(0, 0, 0, 160), 1));
  if (lit) {
    QRadialGradient g(lens.center(), lens.width() * 0.7);
    g.setColorAt(0, colour.lighter(125));
    g.setColorAt(1, colour);
    p.setBrush(g);
  } else {
    p.setBrush(QColor(colour.red() / 5 + 12, colour.green() / 5 + 12, colour.blue() / 5 + 12));
  }
  p.drawRoundedRect(lens, 3, 3);
  const QColor text =
      lit ? QColor(20, 20, 20) : QColor(colour.red() / 2 + 20, colour.green() / 2 + 20, colour.blue() / 2 + 20);
  p.setPen(text);
  const int px = std::min(int(lens.height()) - 8, int(lens.width() / std::max(1, int(label.size())) * 0.95));
  p.setFont(smoothFont(std::max(8, px), true));
  p.drawText(lens, Qt::AlignCenter, label);
}

QImage panelPicture(const CabDesign& d) {
  QImage image(cab_surface::Width, cab_surface::PanelHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QColor desk(d.desk);
  QLinearGradient g(0, 0, 0, image.height());
  g.setColorAt(0, desk.darker(160));
  g.setColorAt(0.08, desk.lighter(115));
  g.setColorAt(0.5, desk);
  g.setColorAt(1, desk.darker(130));
  p.fillRect(image.rect(), g);
  // The lamp row along the top edge.
  if (!d.lamps.empty()) {
    int right = 0;
    for (const auto& l : d.lamps)
      if (l.top == d.lamps.front().top) right = std::max(right, l.left + d.lampWidth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(d.lampStrip));
    p.drawRoundedRect(QRectF(8, d.lamps.front().top - Top - 4, right - 2, d.lampHeight + 8), 4, 4);
  }
  for (const auto& dl : d.dials) dial(p, dl, QColor(d.face), QColor(d.marking));
  bars(p, d);
  for (const auto& l : d.lamps) {
    if (l.top != d.lamps.front().top) lampBezel(p, d, l.left, l.top, d.lampWidth, d.lampHeight);
    lampLens(p, QRectF(l.left, l.top - Top, d.lampWidth, d.lampHeight), QColor(l.colour), q(l.label), false);
  }
  const auto& labels = otherLabels();
  for (size_t i = 0; i < d.others.size(); ++i) {
    if (!d.others[i].used()) continue;
    lampBezel(p, d, d.others[i].left, d.others[i].top, OtherWidth, OtherHeight);
    lampLens(p, QRectF(d.others[i].left, d.others[i].top - Top, OtherWidth, OtherHeight), QColor(240, 200, 120),
             q(labels[i]), false);
  }
  p.setFont(smoothFont(12, true));
  const auto caption = [&](Place at, double w, double h, const char* text) {
    if (!at.used()) return;
    bezel(p, QRectF(at.left - 4, at.top - Top - 4, w + 8, h + 8), QColor(12, 12, 14));
    if (text) {
      p.setPen(QColor(230, 230, 224));
      p.drawText(QRectF(at.left - 4, at.top - Top - 22, w + 8, 16), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::fromUtf8(text));
    }
  };
  caption(d.notchP, NotchWidth, d.notchB2.top + Notch2Height - d.notchP.top, "ノッチ");
  caption(d.digits, DigiWidth, DigiHeight, nullptr);
  caption(d.monitor, MonitorWidth, MonitorHeight, nullptr);
  caption(d.gear, GearWidth, GearHeight, "変速段");
  caption(d.lever, LeverSize, LeverSize, nullptr);
  caption(d.panel2, NotchWidth, 22, nullptr);
  // The maker's plate.
  const Place plate = d.plate;
  p.setPen(QColor(235, 232, 220));
  p.setFont(smoothFont(13, true));
  p.drawText(QRectF(plate.left, plate.top - Top, 180, 20), Qt::AlignLeft | Qt::AlignVCenter, q(d.title));
  return image;
}

}  // namespace cab::demo
