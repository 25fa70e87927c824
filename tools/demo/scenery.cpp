#include "scenery.h"

#include <algorithm>
#include <cmath>

namespace cab::demo {

namespace {

constexpr double TurnoutLength = 45;

double smooth(double t) {
  t = std::clamp(t, 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

template <class T>
void sortByA(std::vector<T>& items) {
  std::sort(items.begin(), items.end(), [](const T& x, const T& y) { return x.a < y.a; });
}

const Rgb Walls[] = {{236, 232, 222}, {226, 214, 186}, {205, 190, 160}, {192, 194, 192},
                     {178, 148, 118}, {196, 204, 210}, {222, 222, 214}, {168, 160, 150}};
const Rgb Roofs[] = {{92, 98, 108}, {58, 74, 100}, {96, 70, 56}, {150, 82, 62}, {56, 56, 62}, {84, 104, 90}};

}  // namespace

double hash01(long n, int salt) {
  unsigned long x =
      static_cast<unsigned long>(n) * 2654435761ul + static_cast<unsigned long>(salt) * 40503ul + 0x9e3779b9ul;
  x ^= x >> 15;
  x *= 2246822519ul;
  x ^= x >> 13;
  x *= 3266489917ul;
  x ^= x >> 16;
  return double(x & 0xffffff) / double(0x1000000);
}

double SideTrack::offsetAt(double a) const {
  if (a <= from || a >= to) return 0;
  return offset * smooth((a - from) / TurnoutLength) * smooth((to - a) / TurnoutLength);
}

LineScenery::LineScenery(const LinePlan& p) : plan(p) {
  placeStations();
  placeLineside();
  placeHouses();
  placeTrees();
}

void LineScenery::placeStations() {
  const auto& st = plan.stations;
  for (size_t i = 0; i < st.size(); ++i) {
    StationSite s;
    s.name = st[i].name;
    s.previous = i > 0 ? st[i - 1].name : "";
    s.next = i + 1 < st.size() ? st[i + 1].name : "";
    s.stop = st[i].metres;
    s.side = i % 2 ? 1 : -1;  // the route files open the doors on the second side at odd stations
    s.loop = i > 0 && i + 1 < st.size();
    if (s.loop) sideTracks.push_back({s.stop - 250, s.stop + 110, -s.side * track::LoopOffset});
    stations.push_back(s);
    // The station building stands behind the platform, towards its far end.
    House building;
    building.a = s.stop - 80;
    building.length = 38, building.depth = 11, building.height = 7.5;
    building.u = s.side * (track::PlatformEdge + track::PlatformWidth + 2 + building.depth / 2);
    building.hipped = true;
    building.wall = {230, 224, 206};
    building.roof = {64, 72, 86};
    building.windows = 5;
    houses.push_back(building);
  }
}

LineScenery::Zone LineScenery::zoneAt(double a) const {
  if (inTunnel(a, 220)) return Zone::Forest;
  for (const auto& s : stations)
    if (a > s.stop - 380 && a < s.stop + 260) return Zone::Town;
  return Zone::Fields;
}

const StationSite* LineScenery::stationAt(double a, double margin) const {
  for (const auto& s : stations)
    if (a > s.platformFrom() - margin && a < s.platformTo() + margin) return &s;
  return nullptr;
}

bool LineScenery::inBridge(double a, double margin) const {
  return std::any_of(plan.bridges.begin(), plan.bridges.end(),
                     [&](const Span& b) { return a > b.from - margin && a < b.to + margin; });
}

bool LineScenery::inTunnel(double a, double margin) const {
  return std::any_of(plan.tunnels.begin(), plan.tunnels.end(),
                     [&](const Span& t) { return a > t.from - margin && a < t.to + margin; });
}

bool LineScenery::nearCrossing(double a, double margin) const {
  return std::any_of(plan.crossings.begin(), plan.crossings.end(), [&](double c) { return std::fabs(a - c) < margin; });
}

double LineScenery::sceneryEnd() const { return plan.lengthMetres() + 400; }

bool LineScenery::clear(double a, double u, double half) const {
  if (a - half < 5) return false;
  if (inTunnel(a, 40 + half) || inBridge(a, 20 + half) || nearCrossing(a, 6 + half)) return false;
  double needed = 5.0;
  for (const auto& t : sideTracks)
    if (t.offsetAt(a) * u > 0) needed += std::fabs(t.offsetAt(a));
  for (const auto& s : stations) {
    if (s.side * u <= 0) continue;
    if (a + half > s.platformFrom() - 5 && a - half < s.platformTo() + 5)
      needed = std::max(needed, track::PlatformEdge + track::PlatformWidth + 1.5);
    // The station building stands behind the platform.
    if (a + half > s.stop - 85 && a - half < s.stop - 30) needed = std::max(needed, track::PlatformEdge + 20.0);
  }
  return std::fabs(u) - half > needed;
}

void LineScenery::placeLineside() {
  const double length = sceneryEnd();
  int n = 0;
  for (double a = 20; a < length; a += plan.electrified ? 50 : 40, ++n) {
    if (inTunnel(a, 4) || inBridge(a, 3)) continue;
    if (!plan.electrified) {
      poles.push_back(a);
      continue;
    }
    Mast m{a, -3.1, n % 2 ? 0.2 : -0.2};
    for (const auto& t : sideTracks)
      if (t.offsetAt(a) < -0.3) m.u = t.offsetAt(a) - 3.1;
    if (const StationSite* s = stationAt(a, 6); s && s->side < 0)
      m.u = -(track::PlatformEdge + 3.3);  // on the platform
    masts.push_back(m);
  }
}

void LineScenery::placeHouses() {
  const double length = sceneryEnd();
  for (int side : {-1, 1}) {
    long n = side > 0 ? 100000 : 0;
    for (double a = 10; a < length; ++n) {
      const Zone zone = zoneAt(a);
      const double r = hash01(n, 1);
      a += zone == Zone::Town ? 11 + 10 * r : zone == Zone::Fields ? (r < 0.2 ? 14 : 40 + 90 * r) : 30;
      if (zone == Zone::Forest) continue;
      House h;
      h.a = a;
      const double far = hash01(n, 2);
      h.u = side * (zone == Zone::Town ? (far < 0.55 ? 10 + 6 * far : 16 + 40 * far) : 12 + 70 * far);
      h.length = 7 + 4 * hash01(n, 3);
      h.depth = 6 + 3 * hash01(n, 4);
      const bool low = hash01(n, 5) < 0.3;
      h.height = low ? 3.4 + 0.6 * hash01(n, 6) : 5.4 + 1.4 * hash01(n, 6);
      h.hipped = hash01(n, 7) < 0.4;
      h.wall = Walls[int(hash01(n, 8) * 8)];
      h.roof = Roofs[int(hash01(n, 9) * 6)];
      h.windows = 2 + int(hash01(n, 10) * 2);
      if (clear(h.a, h.u, std::max(h.length, h.depth) / 2 + 1)) houses.push_back(h);
    }
  }
  sortByA(houses);
}

void LineScenery::placeTrees() {
  const double length = sceneryEnd();
  for (int side : {-1, 1}) {
    long n = side > 0 ? 500000 : 300000;
    for (double a = 8; a < length; ++n) {
      const Zone zone = zoneAt(a);
      const double r = hash01(n, 11);
      a += zone == Zone::Forest ? 5 + 4 * r : zone == Zone::Town ? 16 + 20 * r : 12 + 40 * r;
      Tree t;
      t.a = a;
      const double far = hash01(n, 12);
      if (zone == Zone::Forest) {
        // A near row of single trees and a dense wood behind it.
        t.kind = far < 0.45 ? (hash01(n, 13) < 0.6 ? 0 : 1) : 2;
        t.u = side * (t.kind == 2 ? 12 + 30 * far : 6.5 + 4 * far);
      } else {
        t.kind = far < 0.25 ? 3 : hash01(n, 13) < 0.35 ? 0 : hash01(n, 13) < 0.8 ? 1 : 2;
        t.u = side * (t.kind == 3 ? 6 + 6 * far : 9 + 60 * far);
      }
      t.height = t.kind == 0 ? 10 + 6 * r : t.kind == 1 ? 6 + 5 * r : t.kind == 2 ? 9 + 5 * r : 1.6 + 1.2 * r;
      if (clear(t.a, t.u, t.kind == 2 ? t.height * 0.7 : t.height * 0.25)) trees.push_back(t);
    }
  }
  sortByA(trees);
}

}  // namespace cab::demo
