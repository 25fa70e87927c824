#include "core/data/route_positions.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "core/data/data_error.h"
#include "tests/route_data/route_test_support.h"

namespace cab {
namespace {

struct Unit {
  int f0, f1;
  long double v0, v1;
};
struct StationAt {
  int start, trntype, pattern;
};
struct Limit {
  int frame, limit, pointType;
};
using Point = std::tuple<int, int, int, int, int>;  // position, speed, signal, station, type

struct Case {
  const char* name;
  std::vector<Unit> units;
  std::vector<int> signals;
  std::vector<Limit> limits;
  std::vector<StationAt> stations;
  std::vector<int> distanceEnds;
  std::vector<Point> points;
  std::vector<int> stationPositions;
};

RouteData routeOf(const Case& c) {
  RouteData d;
  for (const Unit& u : c.units) d.SpeedUnit[d.SpeedUnitCount++] = {u.f0, u.f1, u.v0, u.v1, -1};
  for (int f : c.signals) d.Signal[d.SignalCount++].positionFrame = f;
  for (const Limit& l : c.limits) {
    SpeedLimitData& s = d.SpeedLimit[d.SpeedLimitCount++];
    s.positionFrame = l.frame;
    s.limit = l.limit;
    s.pointType = l.pointType;
  }
  for (const StationAt& s : c.stations) {
    StationData& st = d.Station[d.StationCount++];
    st.Start = s.start;
    st.trntype = s.trntype;
    st.pattern = s.pattern;
    st.genkai = 150;
  }
  return d;
}

TEST(ConvertRoutePositions, Examples) {
  const Case cases[] = {
      {"constant speed", {{0, 300, 36, 36}}, {150}, {}, {}, {10000}, {{5000, 10, 0, 0, 2}}, {}},
      {"accelerating: a quarter of the stretch at its middle frame",
       {{0, 300, 0, 36}},
       {},
       {},
       {{150, 1, 0}},
       {5000},
       {},
       {1250}},
      {"two stretches sharing a frame",
       {{0, 300, 36, 36}, {300, 600, 36, 36}},
       {300},
       {},
       {{450, 1, 0}},
       {10000, 20000},
       {{10000, 10, 0, 0, 2}, {10000, 10, 0, 0, 2}},
       {15000}},
      {"station pattern points only for stopping stations with a pattern",
       {{0, 300, 36, 36}, {300, 600, 36, 36}},
       {},
       {},
       {{450, 0, 50}, {450, 0, 0}, {450, 1, 50}, {450, 2, 50}},
       {10000, 20000},
       {{20000, 0, 0, 0, 3}},
       {15000, 15000, 15000, 15000}},
      {"equal positions keep signal, limit, station order; others sort by position",
       {{0, 600, 36, 36}},
       {300, 450},
       {{300, 45, 5}, {30, 25, 7}},
       {{150, 0, 50}},
       {20000},
       {{1000, 25, 0, 0, 7}, {10000, 10, 0, 0, 2}, {10000, 45, 0, 0, 5}, {10000, 0, 0, 0, 3}, {15000, 10, 1, 0, 2}},
       {5000}},
      {"frames outside every stretch",
       {{100, 400, 36, 36}},
       {50, 401},
       {{500, 30, 1}},
       {{20, 0, 10}},
       {10000},
       {},
       {0}},
      {"the first stretch is measured from 0",
       {{300, 600, 36, 36}},
       {300, 600},
       {},
       {},
       {10000},
       {{0, 10, 0, 0, 2}, {10000, 10, 1, 0, 2}},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RouteData d = routeOf(c);
    ConvertRoutePositions(d, 30);
    for (std::size_t j = 0; j < c.distanceEnds.size(); ++j) EXPECT_EQ(d.SpeedUnit[j].distanceEnd, c.distanceEnds[j]);
    std::vector<Point> points;
    for (int i = 0; i < d.ProtectionPointCount; ++i) {
      const ProtectionPointData& p = d.ProtectionPoints[i];
      points.emplace_back(p.position, p.speed, p.signal, p.station, p.type);
    }
    EXPECT_EQ(points, c.points);
    for (std::size_t i = 0; i < c.stationPositions.size(); ++i) {
      EXPECT_EQ(d.Station[i].position, c.stationPositions[i]);
      if (c.stationPositions[i] != 0) {
        EXPECT_EQ(d.Station[i].position_s, c.stationPositions[i] - 150);
        EXPECT_EQ(d.Station[i].position_e, c.stationPositions[i] + 150);
      }
    }
  }
}

TEST(ConvertRoutePositions, KeptDistancesOfTheOtherTables) {
  RouteData d;
  d.SpeedUnit[0] = {0, 300, 36, 36, 0};
  d.SpeedUnitCount = 1;
  d.SpeedLimit[0].positionFrame = 30;
  d.SpeedLimitCount = 1;
  d.SpeedCheck1[0].positionFrame = 60;
  d.SpeedCheck2[0].positionFrame = 90;
  d.SpeedCheck3[0].positionFrame = 120;
  d.SpeedCheck1Count = d.SpeedCheck2Count = d.SpeedCheck3Count = 1;
  d.TrafficSignal[0].positionFrame = 150;
  d.TrafficSignal[0].lineFrame = 180;
  d.TrafficSignalCount = 1;
  d.Doppler[0].positionFrame = 210;
  d.DopplerCount = 1;
  d.Tunnel[0].startFrame = 240;
  d.Tunnel[0].endFrame = 270;
  d.TunnelCount = 1;
  ConvertRoutePositions(d, 30);
  EXPECT_EQ((std::array{d.SpeedLimit[0].positionDistance, d.SpeedCheck1[0].positionDistance,
                        d.SpeedCheck2[0].positionDistance, d.SpeedCheck3[0].positionDistance,
                        d.TrafficSignal[0].positionDistance, d.TrafficSignal[0].lineDistance,
                        d.Doppler[0].positionDistance, d.Tunnel[0].startDistance, d.Tunnel[0].endDistance}),
            (std::array{1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000}));
}

TEST(ConvertRoutePositions, MorePointsThanTheTableHoldsAreRefused) {
  RouteData d;
  d.SpeedUnit[0] = {0, 300, 36, 36, 0};
  d.SpeedUnitCount = 1;
  d.SignalCount = 501;
  EXPECT_NO_THROW(ConvertRoutePositions(d, 30));
  d.SpeedLimitCount = 1;
  try {
    ConvertRoutePositions(d, 30);
    FAIL();
  } catch (const DataError& e) {
    ASSERT_EQ(e.messages().size(), 2u);
    EXPECT_EQ(e.messages()[0].rfind("路線ファイルに誤りがあります。", 0), 0u);
  }
}

TEST(SpeedUnits, FilmSpeedInterpolatesWithinHalfOpenStretches) {
  RouteData d;
  d.SpeedUnit[0] = {0, 100, 30, 60, 0};
  d.SpeedUnit[1] = {100, 200, 60, 60, 0};
  d.SpeedUnit[2] = {200, 200, 10, 10, 0};  // holds no frame (and never divides by zero)
  d.SpeedUnitCount = 3;
  struct Case {
    int frame;
    int row;
    int filmSpeed;
  } cases[] = {{0, 0, 30}, {5, 0, 32}, {50, 0, 45}, {99, 0, 60}, {100, 1, 60}, {199, 1, 60}};
  for (const Case& c : cases) {
    auto f = filmSpeedAt(d, c.frame);
    ASSERT_TRUE(f) << c.frame;
    EXPECT_EQ(f->row, c.row) << c.frame;
    EXPECT_EQ(f->filmSpeed, c.filmSpeed) << c.frame;
  }
  EXPECT_FALSE(filmSpeedAt(d, 200));
  EXPECT_FALSE(filmSpeedAt(d, -1));
}

TEST(SpeedUnits, LoaderRefusesBadFields) {
  testing::RouteDirectory dir("speedunits");
  try {
    dir.load("[SpeedUnit]\n0,100,fast,30\n#\n");
    ADD_FAILURE();
  } catch (const DataError& e) {
    ASSERT_EQ(e.messages().size(), 2u);
    EXPECT_EQ(e.messages()[0], "路線ファイルに誤りがあります。[SpeedUnit]:0,100,fast,30");
  }
}

// A stretch whose two frames are equal is only an error when a position falls on it.
TEST(SpeedUnits, StretchOfNoFramesMayHoldNoPosition) {
  testing::RouteDirectory dir("emptystretch");
  RouteData d = dir.load(
      "[Signal]\n0,0,0,0,0,50\n0,0,0,0,0,150\n#\n"
      "[SpeedUnit]\n0,100,36,36\n100,100,10,10\n100,200,36,36\n#\n");
  ASSERT_EQ(d.SpeedUnitCount, 3);
  ConvertRoutePositions(d, 30);
  EXPECT_EQ(d.SpeedUnit[1].distanceEnd, d.SpeedUnit[0].distanceEnd);
  ASSERT_EQ(d.ProtectionPointCount, 2);
  EXPECT_EQ(d.ProtectionPoints[1].position, 5000);

  struct Case {
    const char* name;
    std::function<void(RouteData&)> place;  // puts a position on frame 100
  } onTheStretch[] = {
      {"signal", [](RouteData& r) { r.Signal[1].positionFrame = 100; }},
      {"station", [](RouteData& r) { r.Station[r.StationCount++].Start = 100; }},
      {"tunnel end",
       [](RouteData& r) {
         r.Tunnel[r.TunnelCount++] = {0, 100, 0};
       }},
  };
  for (const Case& c : onTheStretch) {
    SCOPED_TRACE(c.name);
    RouteData bad = dir.load(
        "[Signal]\n0,0,0,0,0,50\n0,0,0,0,0,150\n#\n"
        "[SpeedUnit]\n0,100,36,36\n100,100,10,10\n100,200,36,36\n#\n");
    c.place(bad);
    try {
      ConvertRoutePositions(bad, 30);
      ADD_FAILURE() << "accepted";
    } catch (const DataError& e) {
      EXPECT_EQ(e.messages(), (std::vector<std::string>{"路線ファイルに誤りがあります。[SpeedUnit]:2行目",
                                                        "始点と終点が同じフレーム(100)の区間に位置があります"}));
    }
  }
}

TEST(SpeedUnits, ReloadReadsRowsAgainAndKeepsDistances) {
  testing::RouteDirectory dir("reload");
  dir.write("r.dat", "[SpeedUnit]\n0,300,36,36\n#\n");
  RouteData d = dir.load("[SpeedUnit]\n0,300,36,36\n#\n");
  ConvertRoutePositions(d, 30);
  dir.write("r.dat", "[Station]\nA,0,0\n#\n[SpeedUnit]\n0,100,20,20\n100,300,40,40\n#\n");
  EXPECT_TRUE(ReloadSpeedUnits(d, dir.data, "r.dat"));
  EXPECT_EQ(d.SpeedUnitCount, 2);
  EXPECT_EQ(d.SpeedUnit[1].speedStart, 40.0L);
  EXPECT_EQ(d.SpeedUnit[0].distanceEnd, 10000);  // from the load
  // A bad row ends the reload quietly; the rows before it stay counted.
  dir.write("r.dat", "[SpeedUnit]\n0,100,20,20\n100,x,40,40\n#\n");
  EXPECT_FALSE(ReloadSpeedUnits(d, dir.data, "r.dat"));
  EXPECT_EQ(d.SpeedUnitCount, 1);
  EXPECT_FALSE(ReloadSpeedUnits(d, dir.data, "missing.dat"));
  EXPECT_EQ(d.SpeedUnitCount, 1);
}

}  // namespace
}  // namespace cab
