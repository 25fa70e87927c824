#include "line_plan.h"

#include <algorithm>
#include <cmath>

namespace cab::demo {

namespace {

int framesFor(double seconds, int fps) { return std::max(1, static_cast<int>(std::lround(seconds * fps))); }

}  // namespace

void LinePlan::build() {
  units.clear();
  int frame = 0;
  auto addRow = [&](int frames, double v0, double v1) {
    units.push_back({frame, frame + frames, v0, v1});
    frame += frames;
  };
  const double v = cruiseKmh;
  const double ms = v / 3.6;
  const int accelFrames = framesFor(v / accel, fps);
  const int decelFrames = framesFor(v / decel, fps);
  const double accelMetres = ms / 2 * accelFrames / fps;
  const double decelMetres = ms / 2 * decelFrames / fps;

  // The camera stands at the first station, then runs leg by leg to each
  // stopping station; passed stations lie somewhere on a leg.
  stations.front().frame = 0;
  addRow(framesFor(stations.front().dwellSeconds, fps), 0, 0);
  stations.front().departFrame = frame;
  double legMetres = 0;
  for (size_t i = 1; i < stations.size(); ++i) {
    legMetres += stations[i].gapMetres;
    if (stations[i].trntype == 1) continue;
    const double cruiseMetres = std::max(ms, legMetres - accelMetres - decelMetres);
    addRow(accelFrames, 0, v);
    addRow(framesFor(cruiseMetres / ms, fps), v, v);
    addRow(decelFrames, v, 0);
    stations[i].frame = frame;
    addRow(framesFor(stations[i].dwellSeconds, fps), 0, 0);
    stations[i].departFrame = frame;
    legMetres = 0;
  }
  frameCount = frame + 1;
  double nominal = 0;
  for (auto& s : stations) {
    nominal += s.gapMetres;
    if (s.trntype == 1) {
      s.frame = frameAt(nominal);
      s.departFrame = s.frame;
    }
    s.metres = metresAt(s.frame);
    nominal = s.metres;
  }
}

double LinePlan::metresAt(double f) const {
  double start = 0;
  for (const auto& u : units) {
    const double span = u.frameEnd - u.frameStart;
    if (f <= u.frameEnd || &u == &units.back()) {
      const double t = std::clamp(f - u.frameStart, 0.0, span);
      const double vNow = u.speedStart + (u.speedEnd - u.speedStart) / span * t;
      return start + (vNow + u.speedStart) / 7.2 * (t / fps);
    }
    start += (u.speedStart + u.speedEnd) * span / (fps * 7.2);
  }
  return start;
}

double LinePlan::kmhAt(double f) const {
  for (const auto& u : units)
    if (f <= u.frameEnd)
      return u.speedStart + (u.speedEnd - u.speedStart) * (f - u.frameStart) / (u.frameEnd - u.frameStart);
  return 0;
}

int LinePlan::frameAt(double metres) const {
  int lo = 0, hi = frameCount - 1;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (metresAt(mid) < metres)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

double LinePlan::curvatureAt(double m) const {
  for (const auto& c : curves)
    if (m >= c.from && m < c.to) {
      // Transition curves: the curvature ramps in and out over 60 m.
      const double ramp = std::min({1.0, (m - c.from) / 60.0, (c.to - m) / 60.0});
      return c.value * ramp;
    }
  return 0;
}

double LinePlan::heightAt(double m) const {
  double h = 0;
  for (const auto& s : slopes) {
    if (m <= s.from) continue;
    h += (std::min(m, s.to) - s.from) * s.value / 1000.0;
  }
  return h;
}

double LinePlan::headingAt(double m) const {
  // Summed metre by metre, as the camera's view of the track ahead is.
  double heading = 0;
  for (double x = 0; x < m; x += 1) heading += curvatureAt(x) * std::min(1.0, m - x);
  return heading;
}

LinePlan eastLine() {
  LinePlan p;
  p.videoName = "east_main";
  p.cruiseKmh = 65;
  p.stations = {
      {"霞野", 0, 0, 8}, {"潮見坂", 0, 850, 15}, {"柳沢口", 1, 650, 0}, {"鴨居原", 2, 500, 12}, {"東灯台", 0, 800, 12}};
  p.build();
  const auto& st = p.stations;
  p.curves = {{st[0].metres + 300, st[0].metres + 650, 1.0 / 600},
              {st[1].metres + 350, st[2].metres + 200, -1.0 / 800}};
  p.slopes = {{st[1].metres + 200, st[1].metres + 600, 10}, {st[3].metres + 150, st[3].metres + 500, -8}};
  p.tunnels = {{st[1].metres + 310, st[1].metres + 470, 0}};
  p.bridges = {{st[3].metres + 420, st[3].metres + 500, 1}};
  p.crossings = {st[0].metres + 200, st[3].metres + 300};
  p.points = {st[0].metres + 60, st[4].metres - 120};
  return p;
}

LinePlan westLine() {
  LinePlan p;
  p.videoName = "west_main";
  p.cruiseKmh = 60;
  p.stations = {{"峰岡", 0, 0, 8},
                {"杉ノ森", 0, 750, 15},
                {"石清水橋", 3, 800, 12},
                {"萩野", 1, 500, 0},
                {"西峰温泉", 0, 600, 12}};
  p.build();
  const auto& st = p.stations;
  p.curves = {{st[0].metres + 250, st[1].metres - 150, -1.0 / 500},
              {st[2].metres + 200, st[4].metres - 250, 1.0 / 700}};
  p.slopes = {{st[0].metres + 300, st[1].metres - 200, 15}, {st[2].metres + 100, st[3].metres, -12}};
  p.electrified = false;
  p.dusk = true;
  p.tunnels = {{st[2].metres + 150, st[2].metres + 330, 0}};
  p.bridges = {{st[2].metres + 55, st[2].metres + 120, 0}};
  p.crossings = {st[1].metres + 180, st[3].metres + 150};
  p.points = {st[1].metres - 100, st[4].metres - 100};
  return p;
}

}  // namespace cab::demo
