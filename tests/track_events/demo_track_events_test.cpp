// Scripted drives on the demo's east line: from 潮見坂 coasting up its 10
// per-mille climb and through the tunnel in it, read back from the runner's
// trace and checked against the force of the slope, the tunnel and the
// running resistance; from 霞野 over its first level crossing. Snapshots at
// the crossing and in the tunnel.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/demo/demo_set.h"
#include "tests/headless/run_headless.h"

namespace fs = std::filesystem;

namespace cab::testing {
namespace {

constexpr const char* RouteFile = "line_Local_East1.dat";
constexpr const char* VehicleFile = "train_E231.dat";
// The crossing drive at its crossing; the climb before and in the tunnel.
constexpr double CrossingSeconds = 48, BeforeTunnelSeconds = 25, TunnelSeconds = 57;

// The trace's columns by name.
struct Trace {
  std::map<std::string, std::vector<double>> column;
  std::size_t size() const { return column.count("t_ms") ? column.at("t_ms").size() : 0; }
  double at(const std::string& name, std::size_t row) const { return column.at(name).at(row); }
  // The first row at or after `t` ms.
  std::size_t rowAt(double t) const {
    std::size_t r = 0;
    while (r + 1 < size() && at("t_ms", r) < t) ++r;
    return r;
  }
};

Trace readTrace(const fs::path& file) {
  std::stringstream text(readAll(file));
  std::string line;
  std::getline(text, line);
  std::vector<std::string> names;
  std::stringstream header(line);
  for (std::string name; std::getline(header, name, ',');) names.push_back(name);
  Trace t;
  while (std::getline(text, line)) {
    std::stringstream fields(line);
    std::size_t k = 0;
    for (std::string f; k < names.size() && std::getline(fields, f, ','); ++k)
      t.column[names[k]].push_back(std::stod(f));
  }
  return t;
}

// The numbers of a table's row, and the lines after a key, in a demo file.
std::vector<int> rowFields(const std::string& file, const std::string& key, std::size_t row) {
  std::stringstream s(after(lines(demoDir() / file), key).at(row));
  std::vector<int> fields;
  for (std::string f; std::getline(s, f, ',');) fields.push_back(std::stoi(f));
  return fields;
}
std::vector<std::string> valueLines(const std::string& file, const std::string& key) {
  const auto ls = lines(demoDir() / file);
  for (std::size_t i = 0; i < ls.size(); ++i)
    if (ls[i] == key) return {ls.begin() + static_cast<long>(i) + 1, ls.end()};
  return {};
}

QImage picture(const fs::path& file) {
  return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
}
// A picture a demo file names.
QImage demoPicture(std::string dataPath) {
  for (char& c : dataPath)
    if (c == '\\') c = '/';
  return picture(demoDir() / dataPath);
}

bool near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 && std::abs(qBlue(a) - qBlue(b)) <= 8;
}

// How much of a picture's opaque part a snapshot shows at (x, y), at the best
// of the vertical offsets the panel's sway may have moved it by.
double bestCover(const QImage& snapshot, const QImage& pic, int x, int y) {
  const QRgb key = pic.pixel(0, pic.height() - 1);
  double best = 0;
  for (int dy = -40; dy <= 40; ++dy) {
    int opaque = 0, shown = 0;
    for (int py = 0; py < pic.height(); ++py)
      for (int px = 0; px < pic.width(); ++px) {
        if (pic.pixel(px, py) == key) continue;
        ++opaque;
        if (near(snapshot.pixel(x + px, y + py + dy), pic.pixel(px, py))) ++shown;
      }
    best = std::max(best, static_cast<double>(shown) / opaque);
  }
  return best;
}

// The train's acceleration in km/h/s, coasting at `v` km/h on a slope of `g`
// per mille, in a tunnel of resistance `tunnelR` / 10000 or not (0): the
// weight along the slope, the tunnel's and the running resistance of `cars`
// cars of `mass` t in all.
double coastingAccel(double mass, int cars, double v, double g, double tunnelR) {
  const double slope = -mass * 1000 * 9.8 * g / std::sqrt(1000.0 * 1000.0 + g * g);
  const double tunnel = -9.8 * mass * v * v * tunnelR / 10000;
  const double running = -9.8 * (mass * (1.32 + 0.0164 * v) + (0.028 + 0.0078 * (cars - 1)) * v * v);
  return 3.6 * (slope + tunnel + running) / (mass * 1000);
}

struct Window {
  std::size_t first, last;
};

// The trace's rows from one position to another.
Window rowsBetween(const Trace& t, double fromCm, double toCm) {
  Window w{t.size(), 0};
  for (std::size_t r = 0; r < t.size(); ++r) {
    const double p = t.at("position_cm", r);
    if (p < fromCm || p > toCm) continue;
    w.first = std::min(w.first, r);
    w.last = std::max(w.last, r);
  }
  return w;
}

// The acceleration measured over a window, and the formula's over the same
// rows (its mean, weighted by time) with the tunnel and without.
struct Accel {
  double measured = 0, withTunnel = 0, withoutTunnel = 0;
};
Accel accelOver(const Trace& t, Window w, double mass, int cars, double g, double tunnelR) {
  Accel a;
  const double seconds = (t.at("t_ms", w.last) - t.at("t_ms", w.first)) / 1000;
  a.measured = (t.at("speed_kmh", w.last) - t.at("speed_kmh", w.first)) / seconds;
  for (std::size_t r = w.first; r < w.last; ++r) {
    const double share = (t.at("t_ms", r + 1) - t.at("t_ms", r)) / 1000 / seconds;
    const double v = (t.at("speed_kmh", r) + t.at("speed_kmh", r + 1)) / 2;
    a.withTunnel += share * coastingAccel(mass, cars, v, g, tunnelR);
    a.withoutTunnel += share * coastingAccel(mass, cars, v, g, 0);
  }
  return a;
}

struct DemoDrive {
  HeadlessResult run;
  Trace trace;
  std::map<double, QImage> snapshots;  // by second
};

// A drive on the East1 route with the script and options given, with snapshots at the seconds given.
DemoDrive drive(const std::string& script, const std::string& options, std::initializer_list<double> seconds) {
  const fs::path dir = fs::temp_directory_path() / ("cabview-demo-track-events-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const auto snapshot = [&](double s) { return dir / (std::to_string(static_cast<int>(s)) + ".png"); };
  std::string args = "--data " + quoted(demoDir()) + " --route " + RouteFile + " --vehicle " + VehicleFile + " " +
                     options + " --script " + quoted(fs::path(CABVIEW_FIXTURES) / "demo_drives" / script) +
                     " --trace " + quoted(dir / "trace.csv") + " --trace-every 3";
  for (double s : seconds) args += " --snapshot " + std::to_string(s) + " " + quoted(snapshot(s));
  DemoDrive d;
  d.run = runHeadless(args);
  d.trace = readTrace(dir / "trace.csv");
  for (double s : seconds) d.snapshots[s] = picture(snapshot(s));
  fs::remove_all(dir);
  return d;
}

// Both drives, run once for the tests of this file.
class DemoTrackEvents : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    climb_ =
        drive("east1_climb_and_tunnel.txt", "--start-station 1 --seconds 100", {BeforeTunnelSeconds, TunnelSeconds});
    crossing_ = drive("east1_whole_line.txt", "--seconds 50", {CrossingSeconds});
  }
  void SetUp() override {
    for (const DemoDrive* d : {&climb_, &crossing_}) {
      ASSERT_EQ(d->run.exitStatus, 0) << d->run.err;
      ASSERT_GT(d->trace.size(), 100u);
    }
  }

  static DemoDrive climb_, crossing_;
};
DemoDrive DemoTrackEvents::climb_, DemoTrackEvents::crossing_;

// Within a tick of a boundary the trace may still show the state before it.
constexpr int BoundaryFrames = 5;

TEST_F(DemoTrackEvents, GradientAndTunnelChangeWhereTheRouteSays) {
  const Trace& t = climb_.trace;
  const std::vector<int> climb = rowFields(RouteFile, "[Slope]", 0), next = rowFields(RouteFile, "[Slope]", 1);
  const std::vector<int> tunnel = rowFields(RouteFile, "[Tunnel]", 0);
  ASSERT_EQ(climb[0], 10);
  int onClimb = 0, inTunnel = 0;
  for (std::size_t r = 0; r < t.size(); ++r) {
    const int f = static_cast<int>(t.at("frame", r));
    ASSERT_LT(f, next[1]);  // the drive ends before the next slope
    const auto nearEither = [f](int a, int b) {
      return std::abs(f - a) <= BoundaryFrames || std::abs(f - b) <= BoundaryFrames;
    };
    if (!nearEither(climb[1], climb[2])) {
      const bool on = climb[1] < f && f < climb[2];
      EXPECT_EQ(t.at("gradient", r), on ? 10 : 0) << "frame " << f;
      onClimb += on;
    }
    if (!nearEither(tunnel[0], tunnel[1])) {
      const bool in = tunnel[0] < f && f < tunnel[1];
      EXPECT_EQ(t.at("inTunnel", r), in ? 1 : 0) << "frame " << f;
      inTunnel += in;
    }
  }
  EXPECT_GT(onClimb, 100);
  EXPECT_GT(inTunnel, 100);
}

// Coasting up the climb the train slows as the slope and the running
// resistance say; in the tunnel the tunnel's resistance comes on top. Both
// windows begin once the whole train is on the climb.
TEST_F(DemoTrackEvents, TheTrainSlowsOnTheClimbAndMoreInTheTunnel) {
  const Trace& t = climb_.trace;
  const int cars = std::stoi(valueLines(VehicleFile, "[Cars]").at(0));
  const double carLength = std::stod(valueLines(VehicleFile, "[Length]").at(0));
  const auto tons = valueLines(VehicleFile, "[Tons]");
  const double tunnelR = std::stod(valueLines(RouteFile, "[TunnelR]").at(0));
  double climbStart = 0, climbEnd = 0, tunnelEnd = 0;
  int nextStop = 0;
  for (std::size_t r = 0; r < t.size(); ++r) {
    if (t.at("gradient", r) == 10) {
      if (climbStart == 0) climbStart = t.at("position_cm", r);
      climbEnd = t.at("position_cm", r);
      nextStop = static_cast<int>(t.at("nextStopIndex", r));
    }
    if (t.at("inTunnel", r) == 1) tunnelEnd = t.at("position_cm", r);
  }
  ASSERT_GT(climbStart, 0);
  ASSERT_GT(tunnelEnd, climbStart);
  // The train's mass with the load of the section before the next stop.
  const std::string station =
      after(lines(demoDir() / RouteFile), "[Station]").at(static_cast<std::size_t>(nextStop - 1));
  const double percent = std::stod(station.substr(station.rfind(',') + 1));
  const double mass = std::round(std::stod(tons.at(0)) + percent * std::stod(tons.at(1)));
  // The samples lie a little over a car length apart; all cars count from here.
  const double wholeTrain = climbStart + (cars + 1) * carLength * 100 * 1.06;

  const Window inside = rowsBetween(t, wholeTrain, tunnelEnd - 300);
  const Window open = rowsBetween(t, tunnelEnd + 300, climbEnd - 300);
  for (const Window& w : {inside, open}) {
    ASSERT_LT(w.first + 10, w.last);
    for (std::size_t r = w.first; r <= w.last; ++r) {
      ASSERT_EQ(t.at("powerNotch", r), 0);
      ASSERT_EQ(t.at("bcMotor", r) + t.at("bcTrailer", r), 0);
    }
  }
  const Accel a = accelOver(t, inside, mass, cars, 10, tunnelR);
  EXPECT_NEAR(a.measured, a.withTunnel, 0.02 * std::fabs(a.withTunnel));
  EXPECT_GT(std::fabs(a.measured - a.withoutTunnel), 0.1 * std::fabs(a.withoutTunnel));
  const Accel b = accelOver(t, open, mass, cars, 10, tunnelR);
  EXPECT_NEAR(b.measured, b.withoutTunnel, 0.02 * std::fabs(b.withoutTunnel));
  EXPECT_LT(b.measured, -0.3);  // clearly slowing
}

// The level-crossing indicator shows the crossing's picture while the train
// is between its frames, and its dark picture elsewhere.
TEST_F(DemoTrackEvents, SnapshotsShowTheCrossingIndicator) {
  const std::vector<int> crossing = rowFields(RouteFile, "[Cross]", 0);
  const Trace& t = crossing_.trace;
  const int at = static_cast<int>(t.at("frame", t.rowAt(CrossingSeconds * 1000)));
  ASSERT_GT(at, crossing[2] + 20);  // past its start window
  ASSERT_LT(at, crossing[3]);
  const QImage cells = demoPicture("image\\sign\\cross.bmp");
  const int size = cells.height();
  const int videoHeight = std::stoi(valueLines("vantorel.dat", "[Disp]").at(3));
  const int x = size / 2, y = static_cast<int>(std::lround(0.4 * videoHeight)) + size / 2;
  const QRgb lit = cells.pixel(size * crossing[0] + x, size / 2), dark = cells.pixel(x, size / 2);  // the lamp's centre
  ASSERT_FALSE(near(lit, dark));
  EXPECT_TRUE(near(crossing_.snapshots.at(CrossingSeconds).pixel(x, y), lit));
  EXPECT_TRUE(near(climb_.snapshots.at(TunnelSeconds).pixel(x, y), dark));
}

// In the tunnel the tunnel panel ("[Panel2]") is drawn; before it, it is not.
TEST_F(DemoTrackEvents, SnapshotsShowTheTunnelPanelOnlyInTheTunnel) {
  const Trace& t = climb_.trace;
  ASSERT_EQ(t.at("inTunnel", t.rowAt(TunnelSeconds * 1000)), 1);
  ASSERT_EQ(t.at("inTunnel", t.rowAt(BeforeTunnelSeconds * 1000)), 0);
  const auto panel2 = valueLines(VehicleFile, "[Panel2]");
  const QImage pic = demoPicture(panel2.at(0));
  ASSERT_FALSE(pic.isNull());
  const int left = std::stoi(panel2.at(1)), top = std::stoi(panel2.at(2));
  EXPECT_GT(bestCover(climb_.snapshots.at(TunnelSeconds), pic, left, top), 0.9);
  EXPECT_LT(bestCover(climb_.snapshots.at(BeforeTunnelSeconds), pic, left, top), 0.5);
}

}  // namespace
}  // namespace cab::testing
