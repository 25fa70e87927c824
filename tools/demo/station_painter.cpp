#include "station_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "picture_kit.h"

namespace cab::demo {

namespace {

using namespace track;

constexpr double CanopyFrom = -100, CanopyTo = 10;  // metres around the stop
constexpr double SegmentLength = 15;

QImage boardPicture(const StationSite& s, int width, const SceneLight& light, QColor band) {
  const int height = int(width * StationBoards::Height / StationBoards::Width);
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(light.q({246, 246, 242}));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(QPen(light.q({60, 60, 60}), std::max(1.0, width / 120.0)));
  p.drawRect(QRectF(0.5, 0.5, width - 1, height - 1));
  QFont name = textFont(int(height * 0.42), true);
  name.setStyleStrategy(QFont::PreferAntialias);
  p.setFont(name);
  p.setPen(light.q({20, 20, 24}));
  p.drawText(QRectF(0, height * 0.04, width, height * 0.55), Qt::AlignCenter, QString::fromStdString(s.name));
  p.fillRect(QRectF(1, height * 0.62, width - 2, height * 0.34), band);
  QFont small = textFont(std::max(4, int(height * 0.2)), true);
  small.setStyleStrategy(QFont::PreferAntialias);
  p.setFont(small);
  p.setPen(Qt::white);
  const QRectF lower(width * 0.03, height * 0.62, width * 0.94, height * 0.34);
  if (!s.previous.empty())
    p.drawText(lower, Qt::AlignLeft | Qt::AlignVCenter, "← " + QString::fromStdString(s.previous));
  if (!s.next.empty()) p.drawText(lower, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(s.next) + " →");
  return image;
}

// A platform piece: the face with its dark refuge recess, the top with the
// white edge line and the yellow tactile strip, and the fence behind.
void platformPiece(ScenePainter& sp, const StationSite& s, double a0, double a1) {
  a1 += 0.3;  // overlap the next piece so no seam shows between them
  const double e = s.edge(), k = s.side, H = PlatformHeight, back = e + k * PlatformWidth;
  const P3 towardTrack{0, -k, 0};
  sp.face({{a0, e, 0}, {a1, e, 0}, {a1, e, H}, {a0, e, H}}, Rgb{132, 128, 120}, towardTrack);
  const bool detail = sp.detailAt(a0) > 2.5;
  if (detail) {
    sp.face({{a0, e, 0.12}, {a1, e, 0.12}, {a1, e, 0.8}, {a0, e, 0.8}}, Rgb{56, 54, 52}, towardTrack);
    sp.face({{a0, e, H - 0.12}, {a1, e, H - 0.12}, {a1, e, H}, {a0, e, H}}, Rgb{176, 172, 164}, towardTrack);
  }
  sp.face({{a0, e, H}, {a1, e, H}, {a1, back, H}, {a0, back, H}}, Rgb{184, 180, 172});
  if (detail) {
    sp.face({{a0, e, H}, {a1, e, H}, {a1, e + k * 0.12, H}, {a0, e + k * 0.12, H}}, Rgb{240, 240, 236});
    sp.face({{a0, e + k * 0.8, H}, {a1, e + k * 0.8, H}, {a1, e + k * 1.1, H}, {a0, e + k * 1.1, H}},
            Rgb{226, 188, 44});
    sp.line({a0, back, H + 1.1}, {a1, back, H + 1.1}, {90, 96, 100}, 0.05);
    for (double a = std::ceil(a0 / 3) * 3; a < a1; a += 3)
      sp.line({a, back, H}, {a, back, H + 1.1}, {90, 96, 100}, 0.05);
  }
}

void platformEnd(ScenePainter& sp, const StationSite& s) {
  const double a = s.platformFrom(), e = s.edge(), back = e + s.side * PlatformWidth;
  sp.face({{a, e, 0}, {a, back, 0}, {a, back, PlatformHeight}, {a, e, PlatformHeight}}, Rgb{150, 146, 138}, {-1, 0, 0});
}

// A canopy piece on its columns, lamps under it.
void canopyPiece(ScenePainter& sp, const StationSite& s, double a0, double a1, QColor fascia) {
  const double e = s.edge(), k = s.side, top = PlatformHeight + 2.9;
  const double inner = e + k * 0.6, outer = e + k * 5.2, column = e + k * 3.0;
  for (double a = std::ceil((a0 - s.stop) / 7.5) * 7.5 + s.stop; a < a1; a += 7.5) {
    sp.face({{a, column - 0.1, PlatformHeight},
             {a, column + 0.1, PlatformHeight},
             {a, column + 0.1, top},
             {a, column - 0.1, top}},
            Rgb{92, 96, 104});
    if (sp.scaleAt(a) > 6) sp.line({a, column, top - 0.6}, {a, inner + k * 0.6, top}, {92, 96, 104}, 0.08);
  }
  sp.face({{a0, inner, top}, {a1, inner, top}, {a1, outer, top + 0.25}, {a0, outer, top + 0.25}}, Rgb{150, 150, 146});
  sp.face({{a0, inner, top}, {a1, inner, top}, {a1, inner, top + 0.4}, {a0, inner, top + 0.4}}, fascia, {0, -k, 0});
  if (sp.detailAt(a0) > 3)
    for (double a = std::ceil(a0 / 5) * 5; a < a1 - 1.2; a += 5) {
      const double u = e + k * 2.4;
      sp.face({{a, u - 0.06, top - 0.05},
               {a + 1.2, u - 0.06, top - 0.05},
               {a + 1.2, u + 0.06, top - 0.05},
               {a, u + 0.06, top - 0.05}},
              sp.light.window({228, 232, 236}));
    }
}

void board(ScenePainter& sp, const StationBoards& boards, size_t index, const StationSite& s, double a, double bottom,
           bool hanging) {
  const double u = s.edge() + s.side * (hanging ? 2.4 : 3.0);
  const auto lo = sp.at({a, u - StationBoards::Width / 2, bottom});
  const auto hi = sp.at({a, u + StationBoards::Width / 2, bottom + StationBoards::Height});
  if (!lo.visible) return;
  const Rgb post{70, 74, 80};
  if (hanging) {
    sp.line({a, u - 0.8, bottom + StationBoards::Height}, {a, u - 0.8, PlatformHeight + 2.9}, post, 0.03);
    sp.line({a, u + 0.8, bottom + StationBoards::Height}, {a, u + 0.8, PlatformHeight + 2.9}, post, 0.03);
  } else {
    sp.line({a, u - 0.9, PlatformHeight}, {a, u - 0.9, bottom}, post, 0.08);
    sp.line({a, u + 0.9, PlatformHeight}, {a, u + 0.9, bottom}, post, 0.08);
  }
  boards.draw(sp.painter, index, QRectF(QPointF(lo.x, hi.y), QPointF(hi.x, lo.y)));
}

}  // namespace

StationBoards::StationBoards(const LineScenery& scenery, const SceneLight& light) {
  const QColor band = scenery.plan.electrified ? light.q({0, 132, 112}) : light.q({196, 96, 30});
  for (const auto& s : scenery.stations) {
    std::array<QImage, Levels> levels;
    for (int k = 0; k < Levels; ++k) levels[size_t(k)] = boardPicture(s, 320 >> k, light, band);
    boards_.push_back(levels);
  }
}

void StationBoards::draw(QPainter& p, size_t station, const QRectF& where) const {
  if (where.width() < 3) return;
  int k = 0;
  while (k + 1 < Levels && boards_[station][size_t(k + 1)].width() >= where.width()) ++k;
  p.drawImage(where, boards_[station][size_t(k)]);
}

void addStations(DrawList& list, ScenePainter& sp, const LineScenery& scenery, const StationBoards& boards, double from,
                 double to) {
  for (size_t i = 0; i < scenery.stations.size(); ++i) {
    const StationSite& s = scenery.stations[i];
    if (s.platformTo() < from || s.platformFrom() > to) continue;
    const QColor fascia = scenery.plan.electrified ? sp.light.q({0, 132, 112}) : sp.light.q({196, 96, 30});
    for (double a0 = s.platformFrom(); a0 < s.platformTo(); a0 += SegmentLength) {
      const double a1 = std::min(a0 + SegmentLength, s.platformTo());
      if (a1 < from || a0 > to) continue;
      const double key = sp.ahead(std::max(a0, from));
      list.push_back({key + 0.02, [&sp, &s, a0, a1] { platformPiece(sp, s, a0, a1); }});
      const double c0 = std::max(a0, s.stop + CanopyFrom), c1 = std::min(a1, s.stop + CanopyTo);
      if (c1 > c0) list.push_back({key, [&sp, &s, c0, c1, fascia] { canopyPiece(sp, s, c0, c1, fascia); }});
    }
    list.push_back({sp.ahead(s.platformFrom()) + 0.03, [&sp, &s] { platformEnd(sp, s); }});
    // One board hangs under the canopy, one stands just past the stopping point.
    list.push_back({sp.ahead(s.stop - 42) - 0.05,
                    [&sp, &boards, &s, i] { board(sp, boards, i, s, s.stop - 42, PlatformHeight + 1.7, true); }});
    list.push_back({sp.ahead(s.stop + 12) - 0.05,
                    [&sp, &boards, &s, i] { board(sp, boards, i, s, s.stop + 12, PlatformHeight + 1.1, false); }});
  }
}

void addPassingTrain(DrawList& list, ScenePainter& sp, const StationSite& s, double ahead) {
  list.push_back(
      {ahead, [&sp, &s, ahead] {
         const double a0 = sp.camera.metres() + std::max(2.0, ahead), a1 = a0 + 60;
         const double c = -s.side * LoopOffset, k = -s.side;  // the loop lies opposite the platform
         const double inner = c - k * 1.45, outer = c + k * 1.45, lo = 0.45, hi = 3.9;
         const Rgb body{204, 208, 212};
         sp.face({{a0, inner, lo}, {a1, inner, lo}, {a1, inner, hi}, {a0, inner, hi}}, scaled(body, 0.85));
         sp.face({{a0, inner, lo}, {a0, outer, lo}, {a0, outer, hi}, {a0, inner, hi}}, body);
         sp.face({{a0 - 0.01, inner, 1.5}, {a0 - 0.01, outer, 1.5}, {a0 - 0.01, outer, 1.75}, {a0 - 0.01, inner, 1.75}},
                 Rgb{30, 130, 70});
         sp.face({{a0 - 0.02, c - 1.1, 2.1},
                  {a0 - 0.02, c + 1.1, 2.1},
                  {a0 - 0.02, c + 1.1, 3.3},
                  {a0 - 0.02, c - 1.1, 3.3}},
                 Rgb{52, 60, 74});
         for (double u : {c - 1.05, c + 0.85})
           sp.face({{a0 - 0.03, u, 1.0}, {a0 - 0.03, u + 0.2, 1.0}, {a0 - 0.03, u + 0.2, 1.2}, {a0 - 0.03, u, 1.2}},
                   QColor(255, 40, 30));
       }});
}

}  // namespace cab::demo
