#include "scene_painter.h"

#include <QPolygonF>
#include <cmath>

namespace cab::demo {

namespace {

// Cuts a polygon to a rectangle a little larger than the picture: the
// rasteriser is much slower on the huge polygons that faces just in front
// of the camera project to.
QPolygonF clipped(const QPolygonF& poly, double width, double height) {
  QPolygonF out = poly;
  const double lo[2] = {-4, -4}, hi[2] = {width + 4, height + 4};
  for (int axis = 0; axis < 2; ++axis)
    for (int bound = 0; bound < 2; ++bound) {
      const QPolygonF in = out;
      out.clear();
      const auto value = [&](const QPointF& p) { return axis ? p.y() : p.x(); };
      const auto inside = [&](const QPointF& p) { return bound ? value(p) <= hi[axis] : value(p) >= lo[axis]; };
      const double limit = bound ? hi[axis] : lo[axis];
      for (qsizetype i = 0; i < in.size(); ++i) {
        const QPointF& p = in[i];
        const QPointF& q = in[(i + 1) % in.size()];
        if (inside(p)) out << p;
        if (inside(p) != inside(q)) out << p + (q - p) * ((limit - value(p)) / (value(q) - value(p)));
      }
    }
  return out;
}

}  // namespace

ScenePainter::ScenePainter(QPainter& p, const Camera& c, const SceneLight& l, const TreeSprites& t, double s)
    : painter(p), camera(c), light(l), trees(t), seconds(s) {}

QColor ScenePainter::colour(Rgb day, double a) const { return light.q(day, std::max(1.0, ahead(a))); }

bool ScenePainter::faces(const std::vector<P3>& points, P3 n) const {
  if (n.a == 0 && n.u == 0 && n.up == 0) return true;
  const P3& p = points.front();
  return n.a * (camera.metres() - p.a) + n.u * (0 - p.u) + n.up * (Camera::EyeHeight - p.up) > 0;
}

void ScenePainter::face(const std::vector<P3>& points, Rgb day, P3 normal) {
  double nearest = 1e9;
  for (const auto& p : points) nearest = std::min(nearest, p.a);
  face(points, colour(day, nearest), normal);
}

void ScenePainter::face(const std::vector<P3>& points, const QColor& c, P3 normal) {
  if (!faces(points, normal)) return;
  // Clip against the near plane, then project.
  const double nearA = camera.metres() + Camera::Near + 0.01;
  QPolygonF screen;
  for (size_t i = 0; i < points.size(); ++i) {
    const P3& p = points[i];
    const P3& q = points[(i + 1) % points.size()];
    const bool pIn = p.a >= nearA, qIn = q.a >= nearA;
    if (pIn) {
      const auto s = at(p);
      screen << QPointF(s.x, s.y);
    }
    if (pIn != qIn) {
      const double t = (nearA - p.a) / (q.a - p.a);
      const auto s = at({nearA, p.u + (q.u - p.u) * t, p.up + (q.up - p.up) * t});
      screen << QPointF(s.x, s.y);
    }
  }
  if (screen.size() < 3) return;
  const QRectF box = screen.boundingRect();
  if (box.right() < 0 || box.left() > camera.width() || box.bottom() < 0 || box.top() > camera.height()) return;
  if (box.width() < 0.3 && box.height() < 0.3) return;
  painter.setPen(Qt::NoPen);
  painter.setBrush(c);
  painter.drawPolygon(clipped(screen, camera.width(), camera.height()));
}

QPen ScenePainter::pen(const QColor& c, double widthPx) const {
  if (widthPx >= 1) return QPen(c, widthPx, Qt::SolidLine, Qt::FlatCap);
  QColor faint = c;
  faint.setAlphaF(std::max(0.15, widthPx));
  return QPen(faint, 1, Qt::SolidLine, Qt::FlatCap);
}

void ScenePainter::line(P3 from, P3 to, Rgb day, double widthMetres) {
  const double nearA = camera.metres() + Camera::Near + 0.01;
  if (from.a < nearA && to.a < nearA) return;
  if (from.a < nearA || to.a < nearA) {
    P3& out = from.a < nearA ? from : to;
    const P3& in = from.a < nearA ? to : from;
    const double t = (nearA - in.a) / (out.a - in.a);
    out = {nearA, in.u + (out.u - in.u) * t, in.up + (out.up - in.up) * t};
  }
  const double w0 = widthMetres * scaleAt(from.a), w1 = widthMetres * scaleAt(to.a);
  if (std::max(w0, w1) < 0.05) return;
  const auto a = at(from), b = at(to);
  const QColor c = colour(day, std::min(from.a, to.a));
  if (std::max(w0, w1) < 1.5) {
    painter.setPen(pen(c, (w0 + w1) / 2));
    painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
    return;
  }
  // Thicker lines taper with the distance of their ends.
  const QPointF pa(a.x, a.y), pb(b.x, b.y), d = pb - pa;
  const double length = std::hypot(d.x(), d.y());
  if (length < 1e-6) return;
  const QPointF n(-d.y() / length, d.x() / length);
  const QPolygonF quad{pa + n * (w0 / 2), pb + n * (w1 / 2), pb - n * (w1 / 2), pa - n * (w0 / 2)};
  painter.setPen(Qt::NoPen);
  painter.setBrush(c);
  painter.drawPolygon(clipped(quad, camera.width(), camera.height()));
}

void ScenePainter::wire(const std::vector<P3>& points, Rgb day, double widthMetres) {
  for (size_t i = 0; i + 1 < points.size(); ++i) line(points[i], points[i + 1], day, widthMetres);
}

void ScenePainter::tree(const Tree& t, int variant, double baseUp) {
  const auto base = at({t.a, t.u, baseUp});
  if (!base.visible) return;
  const double h = t.height * base.scale, w = h * TreeSprites::aspect(t.kind);
  if (base.x + w / 2 < 0 || base.x - w / 2 > camera.width()) return;
  trees.draw(painter, t.kind, variant, QPointF(base.x, base.y), h);
}

}  // namespace cab::demo
