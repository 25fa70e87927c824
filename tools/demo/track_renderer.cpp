#include "track_renderer.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace cab::demo {

namespace {

constexpr double EyeHeight = 2.4;  // metres above the rail head
constexpr double Gauge = 1.067;
constexpr double PlatformFrom = -150, PlatformTo = 25;  // metres around a stopping point

// A repeatable pseudo-random value in [0, 1) for scenery item n.
double hash01(int n) {
  unsigned x = static_cast<unsigned>(n) * 2654435761u + 0x9e3779b9u;
  x ^= x >> 15;
  x *= 2246822519u;
  x ^= x >> 13;
  return (x & 0xffff) / 65536.0;
}

}  // namespace

TrackRenderer::TrackRenderer(const LinePlan& plan, int width, int height)
    : plan_(plan), width_(width), height_(height), image_(width, height, QImage::Format_RGB32) {
  focal_ = width * 0.85;
  horizon_ = height * 0.42;
}

void TrackRenderer::prepareCentreLine(double metres) {
  // Integrate the curvature ahead of the camera into a lateral offset, with
  // the camera looking along the track where it stands.
  double heading = 0, x = 0;
  const double h0 = plan_.heightAt(metres);
  for (int z = 0; z <= Reach; ++z) {
    lateral_[z] = x;
    rise_[z] = plan_.heightAt(metres + z) - h0;
    heading += plan_.curvatureAt(metres + z);
    x += heading;
  }
}

TrackRenderer::Projected TrackRenderer::project(double ahead, double side, double up) const {
  if (ahead < 0.8) return {};
  const double z = std::min(ahead, static_cast<double>(Reach));
  const int i = static_cast<int>(z);
  const double f = z - i;
  const double lat = lateral_[i] + (i < Reach ? (lateral_[i + 1] - lateral_[i]) * f : 0);
  const double rise = rise_[i] + (i < Reach ? (rise_[i + 1] - rise_[i]) * f : 0);
  const double s = focal_ / ahead;
  return {width_ / 2.0 + (lat + side) * s, horizon_ + (EyeHeight - rise - up) * s, s, true};
}

const QImage& TrackRenderer::render(double metres, const SceneExtras& extras) {
  prepareCentreLine(metres);
  QPainter p(&image_);
  const bool tunnel = plan_.inTunnel(metres);
  drawGround(p, tunnel);
  if (!tunnel) drawBuildings(p, metres, extras);
  drawTrack(p, metres, tunnel);
  if (extras.branch) {
    // The branch track leaves on a gentle reverse curve to the right.
    p.setPen(QPen(QColor(150, 140, 130), 1));
    for (double z = 3; z < 150; z += 1.5) {
      const double off = std::min(4.0, z * z / 1500.0);
      const auto a = project(z, off - Gauge / 2, 0),
                 b = project(z + 1.5, std::min(4.0, (z + 1.5) * (z + 1.5) / 1500.0) - Gauge / 2, 0);
      const auto c = project(z, off + Gauge / 2, 0),
                 d = project(z + 1.5, std::min(4.0, (z + 1.5) * (z + 1.5) / 1500.0) + Gauge / 2, 0);
      p.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
      p.drawLine(QPointF(c.x, c.y), QPointF(d.x, d.y));
    }
  }
  drawCrossings(p, metres);
  drawPlatforms(p, metres);
  if (extras.passingTrain >= 0) drawPassingTrain(p, extras.passingTrain);
  drawPoles(p, metres, tunnel);
  drawTunnelPortals(p, metres);
  return image_;
}

void TrackRenderer::drawGround(QPainter& p, bool tunnel) {
  if (tunnel) {
    image_.fill(QColor(12, 12, 14));
    return;
  }
  QLinearGradient sky(0, 0, 0, horizon_);
  sky.setColorAt(0, QColor(90, 140, 210));
  sky.setColorAt(1, QColor(200, 220, 240));
  p.fillRect(QRectF(0, 0, width_, horizon_ + 1), sky);
  // Distant hills along the horizon.
  QPolygonF hills;
  hills << QPointF(0, horizon_ + 1);
  for (int x = 0; x <= width_; x += std::max(1, width_ / 40))
    hills << QPointF(x, horizon_ - height_ * (0.03 + 0.025 * std::sin(x * 0.021) + 0.015 * std::sin(x * 0.057)));
  hills << QPointF(width_, horizon_ + 1);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(100, 130, 110));
  p.drawPolygon(hills);
  QLinearGradient ground(0, horizon_, 0, height_);
  ground.setColorAt(0, QColor(120, 150, 95));
  ground.setColorAt(1, QColor(70, 110, 50));
  p.fillRect(QRectF(0, horizon_, width_, height_ - horizon_), ground);
}

void TrackRenderer::drawTrack(QPainter& p, double metres, bool dark) {
  const double shade = dark ? 0.3 : 1.0;
  auto tone = [shade](int r, int g, int b) { return QColor(int(r * shade), int(g * shade), int(b * shade)); };
  p.setPen(Qt::NoPen);
  // Ballast bed as quads from far to near.
  p.setBrush(tone(135, 125, 115));
  for (double z = Reach - 4; z >= 1; z -= 4) {
    const auto a = project(z, -1.8, 0), b = project(z, 1.8, 0), c = project(z + 4, 1.8, 0), d = project(z + 4, -1.8, 0);
    if (!a.visible) continue;
    p.drawPolygon(QPolygonF{QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(c.x, c.y), QPointF(d.x, d.y)});
  }
  // Sleepers every 0.6 m, fixed to the ground so that they stream past.
  p.setBrush(tone(95, 80, 65));
  const double first = std::ceil(metres / 0.6) * 0.6 - metres;
  for (double z = first; z < 90; z += 0.6) {
    const auto a = project(z, -1.0, 0.02), b = project(z, 1.0, 0.02), c = project(z + 0.22, 1.0, 0.02),
               d = project(z + 0.22, -1.0, 0.02);
    if (!a.visible) continue;
    p.drawPolygon(QPolygonF{QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(c.x, c.y), QPointF(d.x, d.y)});
  }
  // Rails as polylines, wider near the camera.
  for (double side : {-Gauge / 2, Gauge / 2}) {
    for (double z = 1; z < Reach - 2; z += (z < 40 ? 1 : 4)) {
      const double step = z < 40 ? 1 : 4;
      const auto a = project(z, side, 0.15), b = project(z + step, side, 0.15);
      if (!a.visible) continue;
      p.setPen(QPen(tone(200, 200, 205), std::max(1.0, a.scale * 0.07)));
      p.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
    }
  }
  p.setPen(Qt::NoPen);
}

void TrackRenderer::drawPlatforms(QPainter& p, double metres) {
  for (const auto& st : plan_.stations) {
    const double from = std::max(1.0, st.metres + PlatformFrom - metres), to = st.metres + PlatformTo - metres;
    if (to < 1 || from > Reach) continue;
    const double far = std::min(to, double(Reach));
    const auto a = project(from, -1.6, 1.1), b = project(far, -1.6, 1.1), c = project(far, -6.0, 1.1),
               d = project(from, -6.0, 1.1), e = project(from, -1.6, 0), f = project(far, -1.6, 0);
    p.setBrush(QColor(185, 180, 170));
    p.drawPolygon(QPolygonF{QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(c.x, c.y), QPointF(d.x, d.y)});
    p.setBrush(QColor(120, 115, 110));
    p.drawPolygon(QPolygonF{QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(f.x, f.y), QPointF(e.x, e.y)});
    // Yellow safety line and a roof on columns.
    const auto y1 = project(from, -2.4, 1.11), y2 = project(far, -2.4, 1.11);
    p.setPen(QPen(QColor(230, 200, 40), std::max(1.0, y1.scale * 0.15)));
    p.drawLine(QPointF(y1.x, y1.y), QPointF(y2.x, y2.y));
    p.setPen(Qt::NoPen);
    const double roofFrom = std::max(from, st.metres - 80 - metres), roofTo = std::min(far, st.metres - 10 - metres);
    if (roofTo > roofFrom) {
      const auto r1 = project(roofFrom, -2.5, 4.2), r2 = project(roofTo, -2.5, 4.2), r3 = project(roofTo, -6.0, 4.6),
                 r4 = project(roofFrom, -6.0, 4.6);
      p.setBrush(QColor(90, 95, 110));
      p.drawPolygon(QPolygonF{QPointF(r1.x, r1.y), QPointF(r2.x, r2.y), QPointF(r3.x, r3.y), QPointF(r4.x, r4.y)});
      p.setBrush(QColor(70, 70, 80));
      for (double z = std::ceil((roofFrom + metres) / 10) * 10 - metres; z < roofTo; z += 10) {
        const auto top = project(z, -3.0, 4.2), bottom = project(z, -3.0, 1.1);
        p.drawRect(QRectF(top.x - top.scale * 0.12, top.y, std::max(1.0, top.scale * 0.24), bottom.y - top.y));
      }
    }
  }
}

void TrackRenderer::drawPoles(QPainter& p, double metres, bool dark) {
  const QColor pole = dark ? QColor(50, 50, 50) : QColor(110, 110, 105);
  const double first = std::ceil(metres / 50) * 50 - metres;
  for (double z = first + 150; z >= first; z -= 50) {
    if (z < 1.5 || z > Reach) continue;
    const auto base = project(z, 2.6, 0), top = project(z, 2.6, 7.0), arm = project(z, -0.3, 6.3);
    p.setPen(QPen(pole, std::max(1.0, base.scale * 0.25)));
    p.drawLine(QPointF(base.x, base.y), QPointF(top.x, top.y));
    p.setPen(QPen(pole, std::max(1.0, base.scale * 0.1)));
    p.drawLine(QPointF(top.x, arm.y), QPointF(arm.x, arm.y));
  }
  // Contact wire above the track.
  p.setPen(QPen(dark ? QColor(60, 60, 60) : QColor(40, 40, 40), 1));
  for (double z = 2; z < 200; z += 5) {
    const auto a = project(z, 0, 5.2), b = project(z + 5, 0, 5.2);
    p.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
  }
  p.setPen(Qt::NoPen);
}

void TrackRenderer::drawCrossings(QPainter& p, double metres) {
  for (double c : plan_.crossings) {
    const double z = c - metres;
    if (z < 1 || z > Reach - 8) continue;
    const auto a = project(z - 3, -40, 0.05), b = project(z - 3, 40, 0.05), d = project(z + 3, -40, 0.05),
               e = project(z + 3, 40, 0.05);
    p.setBrush(QColor(80, 80, 85));
    p.drawPolygon(QPolygonF{QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(e.x, e.y), QPointF(d.x, d.y)});
    for (double side : {-4.0, 4.0}) {
      const auto base = project(z - 3.5, side, 0), top = project(z - 3.5, side, 3.0);
      const double w = std::max(1.0, base.scale * 0.15);
      for (int k = 0; k < 6; ++k) {
        p.setBrush(k % 2 ? QColor(240, 200, 20) : QColor(20, 20, 20));
        const double y0 = base.y + (top.y - base.y) * k / 6, y1 = base.y + (top.y - base.y) * (k + 1) / 6;
        p.drawRect(QRectF(base.x - w / 2, y1, w, y0 - y1));
      }
      p.setBrush(QColor(220, 30, 30));
      p.drawEllipse(QPointF(top.x, top.y), w * 1.2, w * 1.2);
    }
  }
}

void TrackRenderer::drawBuildings(QPainter& p, double metres, const SceneExtras& extras) {
  const int firstItem = static_cast<int>(metres / 40) + 1;
  for (int n = firstItem + 9; n >= firstItem; --n) {
    const double z = n * 40.0 - metres;
    if (z < 2) continue;
    const double r = hash01(n + (extras.branch ? 7777 : 0));
    const double side = (r < 0.5 ? -1 : 1) * (9 + 30 * hash01(n * 3 + 1));
    const bool tree = extras.branch || hash01(n * 5 + 2) < 0.45;
    if (tree) {
      const auto base = project(z, side, 0), top = project(z, side, 6 + 4 * r);
      p.setBrush(QColor(40, 90 + int(40 * r), 40));
      p.drawEllipse(QPointF(top.x, (top.y + base.y) / 2), base.scale * 2.2, (base.y - top.y) / 2);
    } else {
      const double w = 6 + 8 * hash01(n * 7), h = 4 + 8 * hash01(n * 11);
      const auto bl = project(z, side - w / 2, 0), tr = project(z, side + w / 2, h);
      p.setBrush(QColor(150 + int(80 * r), 140 + int(60 * hash01(n)), 130));
      p.drawRect(QRectF(QPointF(bl.x, tr.y), QPointF(tr.x, bl.y)));
      p.setBrush(QColor(110, 60, 50));
      const auto roof = project(z, side, h + 2);
      p.drawPolygon(QPolygonF{QPointF(bl.x, tr.y), QPointF(tr.x, tr.y), QPointF(roof.x, roof.y)});
    }
  }
}

void TrackRenderer::drawTunnelPortals(QPainter& p, double metres) {
  for (const auto& t : plan_.tunnels) {
    if (metres < t.from) {
      const double z = t.from - metres;
      if (z > Reach) continue;
      // The portal face: a hillside wall with a dark arch around the track.
      const auto wl = project(z, -40, 0), wr = project(z, 40, 14), al = project(z, -3.2, 0), ar = project(z, 3.2, 6.0);
      QPainterPath wall;
      wall.addRect(QRectF(QPointF(wl.x, wr.y), QPointF(wr.x, wl.y)));
      QPainterPath arch;
      arch.addRoundedRect(QRectF(QPointF(al.x, ar.y), QPointF(ar.x, al.y)), (ar.x - al.x) / 2, (al.y - ar.y) / 3);
      p.setBrush(QColor(90, 110, 80));
      p.drawPath(wall.subtracted(arch));
      p.setBrush(QColor(10, 10, 12));
      p.drawPath(arch);
    } else if (metres < t.to) {
      // Inside: lamps along the wall and the bright mouth of the far portal.
      const double first = std::ceil(metres / 25) * 25 - metres;
      p.setBrush(QColor(255, 200, 120));
      for (double z = first; z < 200; z += 25) {
        if (z < 2) continue;
        const auto lamp = project(z, -2.8, 3.5);
        p.drawEllipse(QPointF(lamp.x, lamp.y), std::max(1.0, lamp.scale * 0.2), std::max(1.0, lamp.scale * 0.1));
      }
      const double z = t.to - metres;
      if (z < Reach) {
        const auto al = project(z, -3.2, 0), ar = project(z, 3.2, 6.0);
        p.setBrush(QColor(220, 230, 220));
        p.drawRoundedRect(QRectF(QPointF(al.x, ar.y), QPointF(ar.x, al.y)), (ar.x - al.x) / 2, (al.y - ar.y) / 3);
        drawTrack(p, metres, true);
      }
    }
  }
}

void TrackRenderer::drawPassingTrain(QPainter& p, double ahead) {
  // A train on the other track, drawn as the end of its last car.
  const auto bl = project(std::max(2.0, ahead), 2.2, 0.3), tr = project(std::max(2.0, ahead), 5.0, 3.8);
  p.setBrush(QColor(200, 205, 210));
  p.drawRect(QRectF(QPointF(bl.x, tr.y), QPointF(tr.x, bl.y)));
  p.setBrush(QColor(30, 120, 60));
  p.drawRect(QRectF(QPointF(bl.x, bl.y - (bl.y - tr.y) * 0.35), QPointF(tr.x, bl.y - (bl.y - tr.y) * 0.25)));
  p.setBrush(QColor(60, 70, 90));
  p.drawRect(QRectF(QPointF(bl.x + (tr.x - bl.x) * 0.15, tr.y + (bl.y - tr.y) * 0.1),
                    QPointF(tr.x - (tr.x - bl.x) * 0.15, tr.y + (bl.y - tr.y) * 0.45)));
}

}  // namespace cab::demo
