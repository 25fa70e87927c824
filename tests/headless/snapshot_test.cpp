// Snapshots of the cab surface through the real runner: the window's
// painter draws a known state offscreen and the PNG is compared with a
// picture this test draws itself from where each overlay must lie.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "headless/arguments.h"
#include "tests/headless/run_headless.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;
using testing::quoted;
using testing::runHeadless;

constexpr int W = 320, H = 240;  // the video surface
constexpr int Sign = 16;         // the signs' size
constexpr int Bar = 8;           // the remaining-distance bar's width
constexpr int LineHeight = 4;    // the stop-position lines' own height
const QColor Key(255, 0, 255);   // the key colour of the keyed pictures

// Stop-marker pattern k and the other pictures' colours.
QColor markerColour(int k) { return QColor(40 + 20 * k, 200 - 10 * k, 90); }
const QColor BarColour(0, 200, 80), LineS(255, 220, 0), LineM(0, 200, 255), LineE(255, 60, 60);
const QColor CrossingOff(90, 90, 90), CrossingLamp(255, 255, 0), Hidden(250, 250, 250), LevelPost(200, 200, 230);

QImage cells(int count, int w, int h, const std::function<QColor(int)>& colour) {
  QImage image(w * count, h, QImage::Format_RGB32);
  QPainter p(&image);
  for (int k = 0; k < count; ++k) p.fillRect(k * w, 0, w, h, colour(k));
  return image;
}

// The bar's cells: a stripe in the middle, black (transparent) around it.
QImage barCells() {
  QImage image(Bar * 2, 900, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.fillRect(1, 0, 6, 900, BarColour);
  p.fillRect(Bar + 1, 0, 6, 900, QColor(255, 120, 0));
  return image;
}

QImage keyed(QImage image) {
  image.setPixelColor(0, image.height() - 1, Key);
  return image;
}

class Snapshot : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-snapshot-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_ / "sign");
    write("vantorel.dat", "[Disp]\n30,1\n0\n" + std::to_string(W) + "\n" + std::to_string(H) + "\n0\n");
    testing::writeMinimalVehicle(root_);
    // Station A departs at once (it has no timetable time); B lies 5 m ahead.
    write(testing::MinimalRouteFile,
          std::string("[LineName]\nTest line\n[Station]\nA,0,30,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n"
                      "B,0,45,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n#\n[SpeedUnit]\n0,300,36,36\n#\n") +
              "[Perspective]\n60\n150\n[SignImageList]\n" +
              "sign\\marker.bmp,16\nsign\\s.bmp,4\nsign\\m.bmp,4\nsign\\e.bmp,4\nsign\\slope.bmp,16\n"
              "sign\\limit.bmp,16\nsign\\remain.bmp,8\nsign\\cross.bmp,16\nsign\\other.bmp,16\n");
    save(keyed(cells(12, Sign, Sign, markerColour)), "marker.bmp");
    save(cells(1, 8, LineHeight, [](int) { return LineS; }), "s.bmp");
    save(cells(1, 8, LineHeight, [](int) { return LineM; }), "m.bmp");
    save(cells(1, 8, LineHeight, [](int) { return LineE; }), "e.bmp");
    for (const char* hidden : {"limit.bmp", "other.bmp"})
      save(keyed(cells(2, Sign, Sign, [](int) { return Hidden; })), hidden);
    save(keyed(cells(2, Sign, Sign, [](int) { return LevelPost; })), "slope.bmp");
    save(barCells(), "remain.bmp");
    save(keyed(cells(2, Sign, Sign, [](int k) { return k ? CrossingLamp : CrossingOff; })), "cross.bmp");
  }
  void TearDown() override { fs::remove_all(root_); }

  void write(const std::string& name, const std::string& text) { std::ofstream(root_ / name) << text; }
  void save(const QImage& image, const std::string& name) {
    ASSERT_TRUE(image.save(QString::fromStdString((root_ / "sign" / name).string()), "BMP"));
  }
  std::string baseArgs() const {
    return "--data " + quoted(root_) + " --route line_Local_East1.dat --vehicle train_E231.dat";
  }
  fs::path path(const std::string& name) const { return root_ / name; }

  fs::path root_;
};

// The surface standing in A's stop zone, 5 m before B's stop point: A's
// stop mark in the marker, the bar a sixth of the video down (240 / 3000 x
// 500 = 40 pixels), the three lines of B's stop zone at 3.5, 5 and 6.5 m
// (240 - 3.5 / 63.5 x 150 = 231.7, 228.5, 225.3), two pixels high; the
// gradient post on the level and the crossing indicator dark (its second
// lamp, lit at every start, goes out with no crossing ahead).
QImage expectedBeforeB() {
  QImage image(800, 785, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  // In the order the route file creates them.
  p.fillRect(W - Sign, 0, Sign, Sign, markerColour(10));
  p.setOpacity(64 / 255.0);
  p.fillRect(0, 232, W, 2, LineS);
  p.fillRect(0, 228, W, 2, LineM);
  p.fillRect(0, 225, W, 2, LineE);
  p.setOpacity(1);
  p.fillRect(264, 132, Sign, Sign, LevelPost);  // at 0.825 W, 0.55 H
  p.fillRect(W - Bar + 1, 0, 6, H - 40 - 870 + 900, BarColour);
  p.fillRect(0, 96, Sign, Sign, CrossingOff);  // at 0, 0.4 H
  p.end();
  for (const QPoint key : {QPoint(264, 132 + Sign - 1), QPoint(0, 96 + Sign - 1)}) image.setPixelColor(key, Qt::black);
  return image;
}

// A few pixels may differ (edges smoothed differently); an element a pixel off may not.
constexpr int Tolerance = 4;

// Pixels whose colour differs by more than a little in any channel.
int differingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return a.width() * a.height();
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      if (std::abs(p.red() - q.red()) > 8 || std::abs(p.green() - q.green()) > 8 || std::abs(p.blue() - q.blue()) > 8)
        ++n;
    }
  return n;
}

TEST_F(Snapshot, PaintsTheOverlaysWhereTheyBelong) {
  write("s.txt", "1.5 move 0\n2 end\n");
  const auto r = runHeadless(baseArgs() + " --script " + quoted(path("s.txt")) + " --snapshot 1 " +
                             quoted(path("start.png")) + " --snapshot 2 " + quoted(path("jump.png")));
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  const QImage start(QString::fromStdString(path("start.png").string()));
  ASSERT_EQ(start.size(), QSize(800, 785));
  EXPECT_LE(differingPixels(start.convertToFormat(QImage::Format_RGB32), expectedBeforeB()), Tolerance);
  // The jump back to A departs again at once; the crossing indicator stays dark.
  const QImage jump(QString::fromStdString(path("jump.png").string()));
  EXPECT_LE(differingPixels(jump.convertToFormat(QImage::Format_RGB32), expectedBeforeB()), Tolerance);
}

TEST_F(Snapshot, LeavesTheTraceAndTheEndLineAsTheyAre) {
  const std::string args = baseArgs() + " --seconds 1.5 --trace-every 10 --trace ";
  const auto plain = runHeadless(args + quoted(path("plain.csv")));
  const auto painted = runHeadless(args + quoted(path("painted.csv")) + " --snapshot 0.5 " + quoted(path("a.png")) +
                                   " --snapshot 0.5 " + quoted(path("b.png")));
  ASSERT_EQ(painted.exitStatus, 0) << painted.err;
  EXPECT_EQ(painted.out, plain.out);
  const auto text = [](const fs::path& p) {
    std::stringstream s;
    s << std::ifstream(p).rdbuf();
    return s.str();
  };
  EXPECT_EQ(text(path("painted.csv")), text(path("plain.csv")));
  EXPECT_TRUE(fs::exists(path("a.png")) && fs::exists(path("b.png")));  // one time, two pictures
}

TEST_F(Snapshot, ReportsSnapshotsItCannotTake) {
  const auto r = runHeadless(baseArgs() + " --seconds 1 --snapshot 2 " + quoted(path("late.png")) + " --snapshot 0.5 " +
                             quoted(path("missing/dir/x.png")));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_NE(r.err.find("message: snapshot " + path("missing/dir/x.png").string() + ": the picture cannot be written\n"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("message: snapshot " + path("late.png").string() + ": the run ended at 1 s, before its time\n"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(path("late.png")));
  std::stringstream lines(r.err);
  for (std::string line; std::getline(lines, line);)
    EXPECT_TRUE(line.rfind("message: ", 0) == 0) << line;  // nothing from Qt without the prefix
}

TEST(SnapshotArguments, RepeatableTimeAndFile) {
  std::vector<std::string> words = {"cabview-headless", "--data", "d",     "--route",    "r",   "--vehicle", "v",
                                    "--snapshot",       "90",     "a.png", "--snapshot", "1.5", "b.png"};
  const auto parse = [](std::vector<std::string> w, std::string& error) {
    std::vector<char*> argv;
    for (auto& s : w) argv.push_back(s.data());
    return headless::parseArguments(static_cast<int>(argv.size()), argv.data(), error);
  };
  std::string error;
  const auto o = parse(words, error);
  ASSERT_TRUE(o) << error;
  ASSERT_EQ(o->snapshots.size(), 2u);
  EXPECT_EQ(o->snapshots[0].seconds, 90);
  EXPECT_EQ(o->snapshots[0].file, "a.png");
  EXPECT_EQ(o->snapshots[1].seconds, 1.5L);
  EXPECT_EQ(o->snapshots[1].file, "b.png");
  const struct {
    std::vector<std::string> tail;
    std::string error;
  } bad[] = {
      {{"--snapshot", "1"}, "--snapshot needs a time and a file"},
      {{"--snapshot", "soon", "x.png"}, "--snapshot: not a number: soon"},
      {{"--snapshot", "-1", "x.png"}, "--snapshot time must not be negative"},
  };
  for (const auto& b : bad) {
    std::vector<std::string> w(words.begin(), words.begin() + 7);
    w.insert(w.end(), b.tail.begin(), b.tail.end());
    EXPECT_FALSE(parse(w, error)) << b.error;
    EXPECT_EQ(error, b.error);
  }
}

}  // namespace
}  // namespace cab
