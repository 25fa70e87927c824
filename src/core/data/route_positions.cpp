#include "core/data/route_positions.h"

#include <utility>

#include "core/common/data_directory.h"
#include "core/common/rounding.h"
#include "core/data/record_file_reader.h"
#include "core/data/route_data.h"
#include "core/data/route_tables.h"

namespace cab {

namespace {

// One stretch of the speed profile (row `row` of "[SpeedUnit]") with the
// distance at which it starts.
class Stretch {
 public:
  Stretch(const SpeedUnitData& u, int row, int startDistance, int frameRate)
      : u_(u), row_(row), start_(startDistance), r_(frameRate) {}

  // A stretch whose two frames are equal has no speed gradient: the route may
  // list it, but no position may fall on it.
  bool holdsNoFrames() const { return u_.frameEnd == u_.frameStart; }
  int firstFrame() const { return u_.frameStart; }
  int row() const { return row_; }

  bool contains(int frame) const { return !holdsNoFrames() && u_.frameStart <= frame && frame <= u_.frameEnd; }

  // The mean of the speeds at frameStart and at the frame (m/s) times the
  // time between them, in cm.
  int distanceOf(int frame) const {
    const long double f0 = u_.frameStart, f1 = u_.frameEnd, v0 = u_.speedStart, v1 = u_.speedEnd;
    const long double df = frame - f0;
    return start_ + static_cast<int>(Round(((v1 - v0) / (f1 - f0) * df + 2 * v0) / 7.2L * (df / r_) * 100));
  }

  int length() const {
    const long double frames = static_cast<long double>(u_.frameEnd) - u_.frameStart;
    return static_cast<int>(Round((u_.speedStart + u_.speedEnd) * frames / (r_ * 0.072L)));
  }

 private:
  const SpeedUnitData& u_;
  int row_;
  int start_;
  int r_;
};

DataError positionOnEmptyStretch(const Stretch& s) {
  return DataError(std::vector<std::string>{
      "路線ファイルに誤りがあります。[SpeedUnit]:" + std::to_string(s.row() + 1) + "行目",
      "始点と終点が同じフレーム(" + std::to_string(s.firstFrame()) + ")の区間に位置があります"});
}

class PointList {
 public:
  explicit PointList(RouteData& route) : route_(route) {}
  void add(const ProtectionPointData& p) {
    if (count_ >= RouteCapacity::ProtectionPoints)
      throw DataError(std::vector<std::string>{"路線ファイルに誤りがあります。[SpeedUnit]:ATS地点",
                                               "ATS地点(信号機・速度制限・停車駅)が上限の" +
                                                   std::to_string(RouteCapacity::ProtectionPoints) +
                                                   "か所を超えています"});
    route_.ProtectionPoints[static_cast<std::size_t>(count_++)] = p;
  }
  int count() const { return count_; }

 private:
  RouteData& route_;
  int count_ = 0;
};

// Calls visit(stretch, row) for every stretch j (outer) and every row i of the
// table (inner) whose frame the stretch contains. A frame on a stretch of no
// frames is a route-file error.
template <class T, class Frame, class Visit>
void forEachContained(const std::vector<Stretch>& stretches, std::vector<T>& rows, int count, Frame frameOf,
                      Visit visit) {
  for (const Stretch& s : stretches)
    for (int i = 0; i < count; ++i) {
      T& row = rows[static_cast<std::size_t>(i)];
      if (s.holdsNoFrames() && frameOf(row) == s.firstFrame()) throw positionOnEmptyStretch(s);
      if (s.contains(frameOf(row))) visit(s, row, i);
    }
}

}  // namespace

void ConvertRoutePositions(RouteData& d, int frameRate) {
  // Stretch starts chain in table order, from 0.
  std::vector<Stretch> stretches;
  stretches.reserve(static_cast<std::size_t>(d.SpeedUnitCount));
  int distance = 0;
  for (int j = 0; j < d.SpeedUnitCount; ++j) {
    SpeedUnitData& u = d.SpeedUnit[static_cast<std::size_t>(j)];
    stretches.emplace_back(u, j, distance, frameRate);
    distance += stretches.back().length();
    u.distanceEnd = distance;
  }

  PointList points(d);
  forEachContained(
      stretches, d.Signal, d.SignalCount, [](const SignalData& s) { return s.positionFrame; },
      [&](const Stretch& st, SignalData& s, int i) {
        points.add({st.distanceOf(s.positionFrame), 10, i, 0, 2});
      });
  forEachContained(
      stretches, d.SpeedLimit, d.SpeedLimitCount, [](const SpeedLimitData& s) { return s.positionFrame; },
      [&](const Stretch& st, SpeedLimitData& s, int) {
        s.positionDistance = st.distanceOf(s.positionFrame);
        points.add({s.positionDistance, s.limit, 0, 0, s.pointType});
      });
  const std::pair<std::vector<SpeedCheckData>*, int> checks[] = {
      {&d.SpeedCheck1, d.SpeedCheck1Count}, {&d.SpeedCheck2, d.SpeedCheck2Count}, {&d.SpeedCheck3, d.SpeedCheck3Count}};
  for (const auto& [table, count] : checks)
    forEachContained(
        stretches, *table, count, [](const SpeedCheckData& s) { return s.positionFrame; },
        [](const Stretch& st, SpeedCheckData& s, int) { s.positionDistance = st.distanceOf(s.positionFrame); });
  const auto startOf = [](const StationData& s) { return s.Start; };
  forEachContained(stretches, d.Station, d.StationCount, startOf, [&](const Stretch& st, StationData& s, int i) {
    if (s.trntype == 0 && s.pattern >= 1) points.add({st.distanceOf(s.Start) + s.pattern * 100, 0, 0, i, 3});
  });
  d.ProtectionPointCount = points.count();
  forEachContained(stretches, d.Station, d.StationCount, startOf, [](const Stretch& st, StationData& s, int) {
    s.position = st.distanceOf(s.Start);
    s.position_s = s.position - s.genkai;
    s.position_e = s.position + s.genkai;
  });
  forEachContained(
      stretches, d.TrafficSignal, d.TrafficSignalCount, [](const TrafficSignalData& t) { return t.positionFrame; },
      [](const Stretch& st, TrafficSignalData& t, int) { t.positionDistance = st.distanceOf(t.positionFrame); });
  forEachContained(
      stretches, d.TrafficSignal, d.TrafficSignalCount, [](const TrafficSignalData& t) { return t.lineFrame; },
      [](const Stretch& st, TrafficSignalData& t, int) { t.lineDistance = st.distanceOf(t.lineFrame); });
  forEachContained(
      stretches, d.Doppler, d.DopplerCount, [](const DopplerData& p) { return p.positionFrame; },
      [](const Stretch& st, DopplerData& p, int) { p.positionDistance = st.distanceOf(p.positionFrame); });
  forEachContained(
      stretches, d.Tunnel, d.TunnelCount, [](const TunnelData& t) { return t.startFrame; },
      [](const Stretch& st, TunnelData& t, int) { t.startDistance = st.distanceOf(t.startFrame); });
  forEachContained(
      stretches, d.Tunnel, d.TunnelCount, [](const TunnelData& t) { return t.endFrame; },
      [](const Stretch& st, TunnelData& t, int) { t.endDistance = st.distanceOf(t.endFrame); });

  // Stable exchange sort: points at equal positions keep their order.
  auto& p = d.ProtectionPoints;
  const int n = d.ProtectionPointCount;
  for (int i = 0; i < n; ++i)
    for (int k = n - 1; k >= i + 1; --k)
      if (p[static_cast<std::size_t>(k)].position < p[static_cast<std::size_t>(k) - 1].position)
        std::swap(p[static_cast<std::size_t>(k)], p[static_cast<std::size_t>(k) - 1]);
}

bool ReloadSpeedUnits(RouteData& d, const DataDirectory& data, const std::string& routeFile) {
  auto bytes = data.readBytes(routeFile);
  if (!bytes) return false;
  RecordFileReader r(FileKind::Route, *bytes);
  try {
    while (!r.atEnd()) {
      r.nextLine();
      if (r.isKey("[SpeedUnit]")) readSpeedUnitRows(r, d);
    }
  } catch (const FormatError&) {
    return false;
  }
  return true;
}

std::optional<FilmSpeed> filmSpeedAt(const RouteData& d, int frame) {
  for (int j = 0; j < d.SpeedUnitCount; ++j) {
    const SpeedUnitData& u = d.SpeedUnit[static_cast<std::size_t>(j)];
    if (u.frameStart <= frame && frame < u.frameEnd) {
      const long double speed = u.speedStart + static_cast<long double>(frame - u.frameStart) *
                                                   (u.speedEnd - u.speedStart) / (u.frameEnd - u.frameStart);
      const long double start = j > 0 ? d.SpeedUnit[static_cast<std::size_t>(j - 1)].distanceEnd : 0;
      return FilmSpeed{j, static_cast<int>(roundHalfAway(speed)), start, static_cast<long double>(u.distanceEnd)};
    }
  }
  return std::nullopt;
}

}  // namespace cab
