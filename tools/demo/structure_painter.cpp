#include "structure_painter.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace cab::demo {

namespace {

const Rgb Yellow{232, 196, 30}, Black{30, 30, 32};

// --- level crossings ---

void warningPost(ScenePainter& sp, double a, double u, bool lampsLeftLit) {
  const double top = 3.5;
  if (sp.scaleAt(a) > 5) {
    for (int k = 0; k * 0.3 < top; ++k)
      sp.face({{a, u - 0.06, k * 0.3},
               {a, u + 0.06, k * 0.3},
               {a, u + 0.06, std::min(top, k * 0.3 + 0.3)},
               {a, u - 0.06, std::min(top, k * 0.3 + 0.3)}},
              k % 2 ? Yellow : Black);
  } else {
    sp.line({a, u, 0}, {a, u, top}, mix(Yellow, Black, 0.5), 0.12);
  }
  // The crossbuck above the flashing lamps.
  sp.line({a, u - 0.45, top - 0.45}, {a, u + 0.45, top + 0.05}, Yellow, 0.12);
  sp.line({a, u - 0.45, top + 0.05}, {a, u + 0.45, top - 0.45}, Yellow, 0.12);
  sp.line({a, u - 0.5, 2.55}, {a, u + 0.5, 2.55}, Black, 0.1);
  for (int side : {-1, 1}) {
    const auto c = sp.at({a - 0.05, u + side * 0.42, 2.55});
    if (!c.visible) continue;
    const double r = 0.14 * c.scale;
    const bool lit = (side < 0) == lampsLeftLit;
    sp.painter.setPen(Qt::NoPen);
    sp.painter.setBrush(QColor(20, 20, 20));
    sp.painter.drawEllipse(QPointF(c.x, c.y), r * 1.25, r * 1.25);
    if (lit) {
      sp.painter.setBrush(QColor(255, 60, 40, 70));
      sp.painter.drawEllipse(QPointF(c.x, c.y), r * 2.6 + 1, r * 2.6 + 1);
    }
    sp.painter.setBrush(lit ? QColor(255, 50, 30) : QColor(90, 24, 20));
    sp.painter.drawEllipse(QPointF(c.x, c.y), r, r);
  }
}

// A lowered barrier arm across the road beside the track, striped.
void barrier(ScenePainter& sp, double aFrom, double aTo, double u) {
  sp.face({{aFrom, u - 0.2, 0}, {aFrom, u + 0.2, 0}, {aFrom, u + 0.2, 1.1}, {aFrom, u - 0.2, 1.1}}, Rgb{220, 220, 214});
  const int stripes = 12;
  for (int k = 0; k < stripes; ++k) {
    const double t0 = double(k) / stripes, t1 = double(k + 1) / stripes;
    sp.line({aFrom + (aTo - aFrom) * t0, u, 0.95}, {aFrom + (aTo - aFrom) * t1, u, 0.95}, k % 2 ? Black : Yellow, 0.09);
  }
}

void addCrossing(DrawList& list, ScenePainter& sp, double c) {
  const bool leftLit = int(sp.seconds * 2) % 2 == 0;
  list.push_back({sp.ahead(c - 4), [&sp, c, leftLit] { warningPost(sp, c - 4, -3.4, leftLit); }});
  list.push_back({sp.ahead(c + 4), [&sp, c, leftLit] { warningPost(sp, c + 4, 3.4, leftLit); }});
  list.push_back({sp.ahead(c - 3.6), [&sp, c] { barrier(sp, c - 3.6, c + 3.0, -4.4); }});
  list.push_back({sp.ahead(c - 3.0), [&sp, c] { barrier(sp, c + 3.6, c - 3.0, 4.4); }});
}

// --- bridges ---

// One panel of a through truss: chords, vertical, diagonal and the bracing overhead.
void trussPanel(ScenePainter& sp, double a0, double a1, int n, bool electrified) {
  const Rgb steel{74, 104, 96};
  const double bottom = -0.2, top = 5.9;
  for (double u : {-2.6, 2.6}) {
    sp.line({a0, u, bottom}, {a1, u, bottom}, steel, 0.35);
    sp.line({a0, u, top}, {a1, u, top}, steel, 0.32);
    sp.line({a0, u, bottom}, {a0, u, top}, steel, 0.2);
    if (n % 2)
      sp.line({a0, u, bottom}, {a1, u, top}, steel, 0.24);
    else
      sp.line({a0, u, top}, {a1, u, bottom}, steel, 0.24);
  }
  sp.line({a0, -2.6, top}, {a1, 2.6, top}, steel, 0.15);
  sp.line({a0, 2.6, top}, {a1, -2.6, top}, steel, 0.15);
  sp.line({a0, -2.6, top}, {a0, 2.6, top}, steel, 0.2);
  if (electrified) sp.line({a0, 0, 5.0}, {a1, 0, 5.0}, {52, 48, 44}, 0.014);
}

void trussPortal(ScenePainter& sp, double a) {
  const Rgb steel{74, 104, 96};
  sp.line({a, -2.6, 5.1}, {a, 2.6, 5.1}, steel, 0.35);
  sp.line({a, -2.6, 4.3}, {a, -1.6, 5.1}, steel, 0.2);
  sp.line({a, 2.6, 4.3}, {a, 1.6, 5.1}, steel, 0.2);
  for (double u : {-2.6, 2.6}) sp.line({a, u, -0.2}, {a, u, 5.9}, steel, 0.4);
}

// The railings of a deck girder: handrails on posts, the girder's edge below.
void railingPanel(ScenePainter& sp, double a0, double a1) {
  const Rgb rail{150, 60, 48}, girder{110, 56, 46};
  for (double u : {-2.05, 2.05}) {
    sp.line({a0, u, 1.1}, {a1, u, 1.1}, rail, 0.06);
    sp.line({a0, u, 0.55}, {a1, u, 0.55}, rail, 0.04);
    for (double a = a0; a < a1; a += 2.5) sp.line({a, u, 0}, {a, u, 1.1}, rail, 0.05);
    sp.face({{a0, u * 0.6, -0.15}, {a1, u * 0.6, -0.15}, {a1, u * 0.6, -1.5}, {a0, u * 0.6, -1.5}}, girder);
  }
}

void addBridge(DrawList& list, ScenePainter& sp, const Span& b, bool electrified, double from, double to) {
  const double panel = b.value > 0 ? 8 : 10;
  int n = 0;
  for (double a0 = b.from; a0 < b.to - 0.1; a0 += panel, ++n) {
    const double a1 = std::min(b.to, a0 + panel);
    if (a1 < from || a0 > to) continue;
    if (b.value > 0)
      list.push_back({sp.ahead(a0), [&sp, a0, a1, n, electrified] { trussPanel(sp, a0, a1, n, electrified); }});
    else
      list.push_back({sp.ahead(a0), [&sp, a0, a1] { railingPanel(sp, a0, a1); }});
  }
  if (b.value > 0) {
    if (b.from > from) list.push_back({sp.ahead(b.from) - 0.01, [&sp, a = b.from] { trussPortal(sp, a); }});
    if (b.to > from && b.to < to) list.push_back({sp.ahead(b.to) - 0.01, [&sp, a = b.to] { trussPortal(sp, a); }});
  }
}

// --- tunnels ---

// The tube's outline across the track: walls, then the arch.
std::vector<std::pair<double, double>> tubeOutline() {
  std::vector<std::pair<double, double>> o{{-2.5, 0}, {-2.5, 3.2}};
  for (int k = 1; k < 12; ++k) {
    const double t = 3.14159265 * k / 12;
    o.push_back({-2.5 * std::cos(t), 3.2 + 2.7 * std::sin(t)});
  }
  o.push_back({2.5, 3.2});
  o.push_back({2.5, 0});
  return o;
}

QPolygonF ring(ScenePainter& sp, double a, double scaleOutline = 1) {
  QPolygonF poly;
  for (auto [u, up] : tubeOutline()) {
    const auto s = sp.at({a, u * scaleOutline, up * scaleOutline});
    poly << QPointF(s.x, s.y);
  }
  return poly;
}

// The inside of the tube from a0 to a1, lit by `light(a)`; lamps on the left wall.
void tube(ScenePainter& sp, const Span& t, double a0, double a1, bool fromInside, bool electrified) {
  const double m = sp.camera.metres();
  const auto light = [&](double a) {
    return fromInside ? 0.04 + 0.5 / (1 + std::pow((a - m) / 12, 2)) : 0.03 + 0.45 * std::exp(-(a - t.from) / 14);
  };
  std::vector<double> cuts{a0};
  while (cuts.back() < a1) cuts.push_back(std::min(a1, cuts.back() + 1.5 + 0.12 * (cuts.back() - m)));
  sp.painter.setPen(Qt::NoPen);
  for (size_t i = cuts.size() - 1; i-- > 0;) {
    const double near = cuts[i], far = cuts[i + 1];
    QPolygonF band = ring(sp, near);
    // Each band reaches a little into the next, farther one, so no seam shows between them.
    const QPolygonF inner = ring(sp, i + 2 < cuts.size() ? far + 0.02 * (far - m) : far);
    for (int k = int(inner.size()) - 1; k >= 0; --k) band << inner[k];
    const bool joint = long(std::floor(near / 9)) % 2;
    sp.painter.setBrush(SceneLight::qc(scaled(Rgb{118, 114, 108}, light(near) * (joint ? 0.92 : 1))));
    sp.painter.drawPolygon(band);
  }
  for (double a = std::ceil(t.from / 30) * 30 + 15; a < a1; a += 30) {
    if (a < a0) continue;
    const auto c = sp.at({a, -2.35, 2.6});
    const double r = std::max(0.8, 0.08 * c.scale);
    sp.painter.setBrush(QColor(255, 200, 140, 40));
    sp.painter.drawEllipse(QPointF(c.x, c.y), r * 2, r * 1.6);
    sp.painter.setBrush(QColor(255, 222, 170));
    sp.painter.drawEllipse(QPointF(c.x, c.y), r, r * 0.6);
  }
  if (electrified && fromInside) {
    std::vector<P3> wire;
    for (double a = a0; a < std::min(a1, m + 60); a += 5) wire.push_back({a, 0, 4.7});
    sp.wire(wire, scaled(Rgb{150, 150, 150}, 0.5), 0.014);
  }
}

// The hillside the tunnel enters, with the concrete portal and trees on its crest.
void portal(ScenePainter& sp, const Span& t) {
  const double a = t.from;
  QPainterPath hill;
  const auto crestAt = [&](double u) {
    return 9 + 16 * std::pow(std::max(0.0, 1 - std::fabs(u) / 110), 0.8) + 2.5 * std::sin(u * 0.21 + t.from);
  };
  auto s = sp.at({a, -110, 0});
  hill.moveTo(s.x, s.y);
  for (double u = -110; u <= 110; u += 10) {
    s = sp.at({a + 2, u, crestAt(u)});
    hill.lineTo(s.x, s.y);
  }
  s = sp.at({a, 110, 0});
  hill.lineTo(s.x, s.y);
  hill.closeSubpath();
  hill.addPolygon(ring(sp, a, 1.0));
  hill.setFillRule(Qt::OddEvenFill);
  sp.painter.setPen(Qt::NoPen);
  sp.painter.setBrush(sp.colour({58, 86, 50}, a));
  sp.painter.drawPath(hill);
  // Woods on the slope and along the crest, the higher ones standing further back.
  for (int k = 0; k < 40; ++k) {
    const double u = -100 + 200 * (k % 20 + hash01(k, 51)) / 20;
    const double up = k < 20 ? crestAt(u) - 1.5 : 1.5 + (crestAt(u) - 4) * hash01(k, 54);
    if (std::fabs(u) < 7 && up < 9) continue;  // keep the portal clear
    const Tree tree{a + 3 + up * 0.3, u, 8 + 6 * hash01(k, 53), hash01(k, 52) < 0.6 ? 0 : 1};
    sp.tree(tree, k, up);
  }
  QPainterPath face;
  QPolygonF frame;
  for (auto [u, up] : std::vector<std::pair<double, double>>{{-4.2, 0}, {4.2, 0}, {4.2, 7.4}, {-4.2, 7.4}}) {
    const auto p = sp.at({a - 0.3, u, up});
    frame << QPointF(p.x, p.y);
  }
  face.addPolygon(frame);
  face.closeSubpath();
  face.addPolygon(ring(sp, a - 0.3, 1.0));
  face.setFillRule(Qt::OddEvenFill);
  sp.painter.setBrush(sp.colour({156, 152, 142}, a));
  sp.painter.drawPath(face);
  sp.line({a - 0.35, -4.4, 7.5}, {a - 0.35, 4.4, 7.5}, {128, 124, 116}, 0.4);  // the parapet
}

// The cutting's grassy slopes leading up to the portal.
void cutting(ScenePainter& sp, double a0, double a1, double portalA) {
  const auto height = [&](double a) { return 9 * std::clamp(1 - (portalA - a) / 50, 0.0, 1.0); };
  for (int k : {-1, 1}) {
    const double h0 = height(a0), h1 = height(a1);
    sp.face({{a0, k * 3.3, 0}, {a1, k * 3.3, 0}, {a1, k * (3.3 + h1 * 1.3), h1}, {a0, k * (3.3 + h0 * 1.3), h0}},
            Rgb{92, 122, 70});
  }
}

void addTunnel(DrawList& list, ScenePainter& sp, const Span& t, bool electrified, double to) {
  const double m = sp.camera.metres();
  if (m >= t.to || t.from > to) return;
  if (m < t.from) {
    list.push_back({sp.ahead(t.from), [&sp, &t, electrified] {
                      tube(sp, t, t.from, std::min(t.to, sp.camera.metres() + Camera::Reach), false, electrified);
                      portal(sp, t);
                    }});
    for (double a = t.from - 50; a < t.from; a += 10)
      list.push_back({sp.ahead(a), [&sp, a, p = t.from] { cutting(sp, a, std::min(p, a + 10), p); }});
  } else {
    list.push_back({Camera::Near, [&sp, &t, m, electrified] {
                      tube(sp, t, m + Camera::Near + 0.05, std::min(t.to, m + Camera::Reach), true, electrified);
                    }});
  }
}

}  // namespace

void addStructures(DrawList& list, ScenePainter& sp, const LineScenery& s, double from, double to) {
  for (double c : s.plan.crossings)
    if (c + 5 > from && c - 5 < to) addCrossing(list, sp, c);
  for (const auto& b : s.plan.bridges)
    if (b.to > from && b.from < to) addBridge(list, sp, b, s.plan.electrified, from, to);
  for (const auto& t : s.plan.tunnels) addTunnel(list, sp, t, s.plan.electrified, to);
}

}  // namespace cab::demo
