#include "lineside_painter.h"

#include <algorithm>
#include <cmath>

namespace cab::demo {

namespace {

constexpr double ContactWire = 5.0, Messenger = 6.0, MastHeight = 8.2;
const Rgb WireColour{52, 48, 44};

template <class T>
auto firstFrom(const std::vector<T>& items, double a) {
  return std::lower_bound(items.begin(), items.end(), a, [](const T& t, double x) { return t.a < x; });
}

void house(ScenePainter& sp, const House& h) {
  const double s = h.u > 0 ? 1 : -1;
  const double uIn = h.u - s * h.depth / 2, uOut = h.u + s * h.depth / 2, uMid = h.u;
  const double a0 = h.a, a1 = h.a + h.length, H = h.height, ridge = H + h.depth * 0.3;
  const Rgb front = scaled(h.wall, 0.84), side = scaled(h.wall, s > 0 ? 0.97 : 0.74);
  if (h.hipped)
    sp.face({{a0, uIn, 0}, {a0, uOut, 0}, {a0, uOut, H}, {a0, uIn, H}}, front, {-1, 0, 0});
  else
    sp.face({{a0, uIn, 0}, {a0, uOut, 0}, {a0, uOut, H}, {a0, uMid, ridge}, {a0, uIn, H}}, front, {-1, 0, 0});
  sp.face({{a0, uIn, 0}, {a1, uIn, 0}, {a1, uIn, H}, {a0, uIn, H}}, side, {0, -s, 0});
  // Windows, lit at dusk in some houses.
  if (sp.detailAt(a0) > 4) {
    const bool lit = hash01(long(h.a * 7), 41) < 0.6;
    const Rgb glass = lit ? sp.light.window({72, 84, 98}) : Rgb{72, 84, 98};
    const int storeys = H > 5 ? 2 : 1;
    for (int f = 0; f < storeys; ++f) {
      const double lo = 0.9 + f * 2.6, hi = lo + 1.1;
      for (int k = 0; k < h.windows; ++k) {
        const double t0 = (k + 0.25) / h.windows, t1 = (k + 0.75) / h.windows;
        const double w0 = uIn + (uOut - uIn) * t0, w1 = uIn + (uOut - uIn) * t1;
        sp.face({{a0 - 0.02, w0, lo}, {a0 - 0.02, w1, lo}, {a0 - 0.02, w1, hi}, {a0 - 0.02, w0, hi}}, glass,
                {-1, 0, 0});
        const double b0 = a0 + h.length * t0, b1 = a0 + h.length * t1;
        sp.face(
            {{b0, uIn - s * 0.02, lo}, {b1, uIn - s * 0.02, lo}, {b1, uIn - s * 0.02, hi}, {b0, uIn - s * 0.02, hi}},
            glass, {0, -s, 0});
      }
    }
  }
  const double eaveIn = uIn - s * 0.45, eaveOut = uOut + s * 0.45, e0 = a0 - 0.35, e1 = a1 + 0.35;
  const double slope = 0.3 / std::sqrt(1 + 0.09);
  if (h.hipped) {
    const double hip = h.depth / 2;
    sp.face({{e0, eaveIn, H - 0.15}, {e0, eaveOut, H - 0.15}, {a0 + hip, uMid, ridge}}, scaled(h.roof, 0.8),
            {-1, 0, 1});
    sp.face({{e0, eaveIn, H - 0.15}, {e1, eaveIn, H - 0.15}, {a1 - hip, uMid, ridge}, {a0 + hip, uMid, ridge}}, h.roof,
            {0, -s * slope, 1});
  } else {
    sp.face({{e0, eaveIn, H - 0.15}, {e1, eaveIn, H - 0.15}, {e1, uMid, ridge}, {e0, uMid, ridge}}, h.roof,
            {0, -s * slope, 1});
    // The barge board along the gable.
    sp.line({e0, eaveIn, H - 0.15}, {e0, uMid, ridge}, scaled(h.roof, 0.7), 0.18);
    sp.line({e0, uMid, ridge}, {e0, eaveOut, H - 0.15}, scaled(h.roof, 0.7), 0.18);
  }
}

void mast(ScenePainter& sp, const Mast& m) {
  const double w = 0.18;
  sp.face({{m.a, m.u - w, 0}, {m.a, m.u + w, 0}, {m.a, m.u + w, MastHeight}, {m.a, m.u - w, MastHeight}},
          Rgb{172, 172, 166});
  sp.face({{m.a, m.u + w * 0.3, 0}, {m.a, m.u + w, 0}, {m.a, m.u + w, MastHeight}, {m.a, m.u + w * 0.3, MastHeight}},
          Rgb{140, 140, 136});
  const double toward = m.u < 0 ? 1 : -1, end = m.stagger + toward * 0.5;
  const Rgb steel{96, 98, 100};
  sp.line({m.a, m.u, 6.25}, {m.a, end, 6.25}, steel, 0.07);                                 // the main pipe
  sp.line({m.a, m.u, 7.5}, {m.a, (m.u + end) / 2, 6.25}, steel, 0.06);                      // its stay
  sp.line({m.a, (m.u + m.stagger) / 2, 6.25}, {m.a, m.stagger, ContactWire}, steel, 0.04);  // registration arm
  const Rgb insulator{120, 70, 50};
  sp.line({m.a, m.u + toward * 0.3, 6.25}, {m.a, m.u + toward * 0.75, 6.25}, insulator, 0.14);
  sp.line({m.a, m.u, MastHeight}, {m.a, m.u + toward * 0.6, MastHeight}, steel, 0.06);  // feeder bracket
}

// The wires between two masts: the contact wire held by droppers from the
// sagging messenger, and the feeder on the brackets.
void span(ScenePainter& sp, const Mast& m0, const Mast& m1) {
  const int pieces = sp.detailAt(m0.a) > 3 ? 10 : 4;
  std::vector<P3> contact, messenger, feeder;
  const double toward = m0.u < 0 ? 1 : -1;
  for (int k = 0; k <= pieces; ++k) {
    const double t = double(k) / pieces, a = m0.a + (m1.a - m0.a) * t;
    const double u = m0.stagger + (m1.stagger - m0.stagger) * t;
    contact.push_back({a, u, ContactWire});
    messenger.push_back({a, u, Messenger - 0.55 * 4 * t * (1 - t)});
    feeder.push_back({a, m0.u + (m1.u - m0.u) * t + toward * 0.6, MastHeight - 0.4 * 4 * t * (1 - t)});
  }
  sp.wire(contact, WireColour, 0.014);
  sp.wire(messenger, WireColour, 0.012);
  sp.wire(feeder, WireColour, 0.02);
  if (sp.detailAt(m0.a) > 8)
    for (int k = 1; k < pieces; ++k) sp.line(messenger[k], contact[k], WireColour, 0.006);
}

void pole(ScenePainter& sp, double a, double u) {
  const Rgb wood{104, 84, 64};
  sp.face({{a, u - 0.13, 0}, {a, u + 0.13, 0}, {a, u + 0.1, 7.8}, {a, u - 0.1, 7.8}}, wood);
  sp.line({a, u - 0.7, 7.4}, {a, u + 0.7, 7.4}, scaled(wood, 0.8), 0.1);
  sp.line({a, u - 0.55, 6.9}, {a, u + 0.55, 6.9}, scaled(wood, 0.8), 0.09);
}

void poleWires(ScenePainter& sp, double a0, double u0, double a1, double u1) {
  for (double dx : {-0.6, 0.6, -0.45, 0.45}) {
    const double up = std::fabs(dx) > 0.5 ? 7.45 : 6.95;
    std::vector<P3> w;
    for (int k = 0; k <= 4; ++k) {
      const double t = k / 4.0;
      w.push_back({a0 + (a1 - a0) * t, u0 + (u1 - u0) * t + dx, up - 0.35 * 4 * t * (1 - t)});
    }
    sp.wire(w, WireColour, 0.008);
  }
}

double poleSide(const LineScenery& s, double a) {
  const StationSite* st = s.stationAt(a, 8);
  return st && st->side > 0 ? track::PlatformEdge + track::PlatformWidth + 1.5 : 4.6;
}

}  // namespace

void addLineside(DrawList& list, ScenePainter& sp, const LineScenery& s, double from, double to) {
  for (auto it = firstFrom(s.houses, from - 12); it != s.houses.end() && it->a < to; ++it)
    list.push_back({sp.ahead(it->a), [&sp, h = &*it] { house(sp, *h); }});
  for (auto it = firstFrom(s.trees, from); it != s.trees.end() && it->a < to; ++it)
    list.push_back({sp.ahead(it->a), [&sp, t = &*it] { sp.tree(*t, int(t->a * 13) % 7); }});
  for (auto it = firstFrom(s.masts, from - 50); it != s.masts.end() && it->a < to; ++it) {
    if (it->a > from) list.push_back({sp.ahead(it->a), [&sp, m = &*it] { mast(sp, *m); }});
    const auto next = std::next(it);
    if (next != s.masts.end() && next->a - it->a < 60)
      list.push_back({sp.ahead(it->a) - 0.01, [&sp, m0 = &*it, m1 = &*next] { span(sp, *m0, *m1); }});
  }
  const auto& poles = s.poles;
  for (size_t i = 0; i < poles.size(); ++i) {
    if (poles[i] < from - 40 || poles[i] > to) continue;
    const double u = poleSide(s, poles[i]);
    if (poles[i] > from) list.push_back({sp.ahead(poles[i]), [&sp, a = poles[i], u] { pole(sp, a, u); }});
    if (i + 1 < poles.size() && poles[i + 1] - poles[i] < 60) {
      const double a1 = poles[i + 1], u1 = poleSide(s, a1);
      list.push_back({sp.ahead(poles[i]) - 0.01, [&sp, a0 = poles[i], u, a1, u1] { poleWires(sp, a0, u, a1, u1); }});
    }
  }
}

}  // namespace cab::demo
