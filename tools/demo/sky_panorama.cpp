#include "sky_panorama.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "scenery.h"

namespace cab::demo {

namespace {

// A mountain ridge: a sum of waves with a few sharper peaks, in pixels above the horizon.
double ridge(double x, double width, int salt, double height) {
  double h = 0.45 + 0.25 * std::sin(x * 6.283 / width * 3 + salt) + 0.15 * std::sin(x * 0.013 + salt * 2.1) +
             0.1 * std::sin(x * 0.041 + salt * 0.7);
  for (int k = 0; k < 6; ++k) {
    const double peak = hash01(k, salt) * width, spread = 40 + 120 * hash01(k, salt + 1);
    h += 0.35 * hash01(k, salt + 2) * std::exp(-(x - peak) * (x - peak) / (2 * spread * spread));
  }
  return std::max(0.0, h) * height;
}

}  // namespace

SkyPanorama::SkyPanorama(const LinePlan& plan, const Camera& camera, const SceneLight& light) : focal_(camera.focal()) {
  double lo = 0, hi = 0, heading = 0;
  for (double m = 0; m < plan.lengthMetres(); m += 1) {
    heading += plan.curvatureAt(m);
    lo = std::min(lo, heading), hi = std::max(hi, heading);
  }
  minHeading_ = lo;
  const int w = camera.width(), h = camera.height();
  const double horizon = camera.horizon();
  rows_ = std::min(h, int(horizon) + 4);
  strip_ = QImage(w + int((hi - lo) * focal_) + 4, rows_, QImage::Format_RGB32);
  const double width = strip_.width();
  QPainter p(&strip_);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, horizon);
  sky.setColorAt(0, SceneLight::qc(light.skyTop()));
  sky.setColorAt(0.65, SceneLight::qc(mix(light.skyTop(), light.skyHorizon(), 0.55)));
  sky.setColorAt(1, SceneLight::qc(light.skyHorizon()));
  p.fillRect(QRectF(0, 0, width, horizon + 1), sky);
  if (light.dusk()) {
    // The sun just above the ridge, and its glow.
    const QPointF sun(width * 0.62, horizon * 0.78);
    QRadialGradient glow(sun, horizon * 1.4);
    glow.setColorAt(0, QColor(255, 210, 140, 200));
    glow.setColorAt(1, QColor(255, 150, 90, 0));
    p.fillRect(QRectF(0, 0, width, horizon + 1), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 200));
    p.drawEllipse(sun, horizon * 0.06, horizon * 0.06);
  }
  // Clouds: soft flattened puffs in groups.
  p.setPen(Qt::NoPen);
  for (int c = 0; c < int(width / 140); ++c) {
    const double cx = hash01(c, 31) * width, cy = horizon * (0.15 + 0.55 * hash01(c, 32));
    const double size = horizon * (0.08 + 0.1 * hash01(c, 33));
    const QColor puff = light.dusk() ? QColor(250, 170, 150, 90) : QColor(255, 255, 255, 120);
    for (int k = 0; k < 5; ++k) {
      QRadialGradient g(QPointF(cx + (k - 2) * size * 0.8, cy + std::sin(k * 1.7) * size * 0.2), size);
      g.setColorAt(0, puff);
      g.setColorAt(1, QColor(puff.red(), puff.green(), puff.blue(), 0));
      p.setBrush(g);
      p.drawEllipse(g.center(), size * 1.6, size * 0.55);
    }
  }
  // Two ranges of mountains, the far one bluer in the haze.
  const Rgb farRange = mix(light({96, 116, 128}), light.haze(), 0.45);
  const Rgb nearRange = mix(light({70, 100, 72}), light.haze(), 0.25);
  const double tall = plan.electrified ? 0.09 : 0.16;
  int salt = 40;
  for (Rgb colour : {farRange, nearRange}) {
    QPainterPath path(QPointF(0, horizon + 4));
    for (double x = 0; x <= width + 4; x += 4)
      path.lineTo(x, horizon + 1 - ridge(x, width, salt, h * (salt == 40 ? tall * 1.2 : tall * 0.7)));
    path.lineTo(width + 4, horizon + 4);
    path.closeSubpath();
    p.setBrush(SceneLight::qc(colour));
    p.drawPath(path);
    salt += 10;
  }
  p.fillRect(QRectF(0, horizon, width, rows_ - horizon), SceneLight::qc(light.far({110, 140, 80}, Camera::Reach)));
}

void SkyPanorama::blit(QImage& frame, double heading) const {
  const int offset = std::clamp(int((heading - minHeading_) * focal_), 0, strip_.width() - frame.width());
  const size_t bytes = size_t(frame.width()) * 4;
  for (int y = 0; y < rows_; ++y) std::memcpy(frame.scanLine(y), strip_.constScanLine(y) + offset * 4, bytes);
}

}  // namespace cab::demo
