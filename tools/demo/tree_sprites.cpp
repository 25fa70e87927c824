#include "tree_sprites.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "scenery.h"

namespace cab::demo {

namespace {

struct Brush {
  const SceneLight& light;
  double z;  // distance this size of picture is seen from
  QColor operator()(Rgb day) const { return light.q(day, z); }
};

void trunk(QPainter& p, const Brush& c, double cx, double w, double h, double top) {
  p.setBrush(c({78, 60, 46}));
  p.drawRect(QRectF(cx - w * 0.03, h * top, w * 0.06, h * (1 - top)));
}

// A cedar: layered skirts of foliage narrowing to a point.
void conifer(QPainter& p, const Brush& c, double x0, double w, double h, int seed) {
  trunk(p, c, x0 + w / 2, w, h, 0.8);
  const int layers = 7;
  for (int k = 0; k < layers; ++k) {
    const double t = double(k) / layers;  // 0 bottom .. 1 top
    const double yBase = h * (0.88 - 0.8 * t), yTop = yBase - h * 0.26;
    const double half = w * 0.5 * (1 - t * 0.85) * (0.9 + 0.2 * hash01(k, seed));
    QPainterPath skirt(QPointF(x0 + w / 2, yTop));
    skirt.lineTo(x0 + w / 2 + half, yBase);
    skirt.quadTo(x0 + w / 2, yBase - h * 0.05, x0 + w / 2 - half, yBase);
    skirt.closeSubpath();
    p.setBrush(c(k % 2 ? Rgb{44, 78, 48} : Rgb{38, 70, 44}));
    p.drawPath(skirt);
    // Sunlit right flank.
    QPainterPath lit(QPointF(x0 + w / 2, yTop));
    lit.lineTo(x0 + w / 2 + half, yBase);
    lit.quadTo(x0 + w / 2 + half * 0.5, yBase - h * 0.03, x0 + w / 2 + half * 0.15, yBase - h * 0.02);
    lit.closeSubpath();
    p.setBrush(c({62, 98, 58}));
    p.drawPath(lit);
  }
}

// A round crown of overlapping leaf clusters, darker underneath.
void crown(QPainter& p, const Brush& c, double cx, double cy, double rx, double ry, int seed) {
  for (int k = 0; k < 9; ++k) {
    const double a = k * 2.4 + seed, r = 0.55 * std::sqrt((k + 0.5) / 9);
    const double x = cx + std::cos(a) * rx * r, y = cy + std::sin(a) * ry * r;
    const double size = (0.45 + 0.2 * hash01(k, seed)) * rx;
    const double shade = 0.75 + 0.35 * (cy - y + ry) / (2 * ry) + 0.1 * (x - cx) / rx;
    p.setBrush(c(scaled(Rgb{78, 118, 56}, shade)));
    p.drawEllipse(QPointF(x, y), size, size * ry / rx);
  }
}

void broadleaf(QPainter& p, const Brush& c, double x0, double w, double h, int seed) {
  trunk(p, c, x0 + w / 2, w, h, 0.6);
  crown(p, c, x0 + w / 2, h * 0.38, w * 0.5, h * 0.36, seed);
}

void grove(QPainter& p, const Brush& c, double x0, double w, double h, int seed) {
  for (int k = 0; k < 5; ++k) {
    const double cx = x0 + w * (0.12 + 0.76 * hash01(k, seed + 5)), tall = 0.65 + 0.35 * hash01(k, seed + 6);
    if (hash01(k, seed + 7) < 0.4)
      conifer(p, c, cx - w * 0.12, w * 0.24, h, seed + k);
    else
      crown(p, c, cx, h * (1 - 0.55 * tall), w * 0.2, h * 0.4 * tall, seed + k);
  }
}

void bush(QPainter& p, const Brush& c, double x0, double w, double h, int seed) {
  crown(p, c, x0 + w / 2, h * 0.55, w * 0.5, h * 0.48, seed);
}

}  // namespace

double TreeSprites::aspect(int kind) {
  static const double aspects[KindCount] = {0.4, 0.85, 1.9, 1.6};
  return aspects[kind];
}

TreeSprites::TreeSprites(const SceneLight& light, double focal) {
  for (int kind = 0; kind < KindCount; ++kind)
    for (int v = 0; v < Variants; ++v)
      for (int level = 0; level < Levels; ++level) {
        const int h = Largest >> level, w = std::max(2, int(h * aspect(kind) + 0.5));
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        const Brush brush{light, 10 * focal / h};
        const int seed = kind * 17 + v * 5;
        switch (kind) {
          case Conifer:
            conifer(p, brush, 0, w, h, seed);
            break;
          case Broadleaf:
            broadleaf(p, brush, 0, w, h, seed);
            break;
          case Grove:
            grove(p, brush, 0, w, h, seed);
            break;
          default:
            bush(p, brush, 0, w, h, seed);
        }
        p.end();
        sprites_[kind][v][level] = image;
      }
}

void TreeSprites::draw(QPainter& p, int kind, int variant, QPointF base, double heightPx) const {
  if (heightPx < 1.5) return;
  int level = 0;
  while (level + 1 < Levels && (Largest >> (level + 1)) >= heightPx) ++level;
  const double w = heightPx * aspect(kind);
  p.drawImage(QRectF(base.x() - w / 2, base.y() - heightPx, w, heightPx), sprites_[kind][variant % Variants][level]);
}

}  // namespace cab::demo
