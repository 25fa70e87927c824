// Whole scripted drives on the demo content: stops, an overrun, station jumps
// and the diesel engine, read back from the runner's trace.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/sound_length_probe.h"
#include "tests/demo/demo_set.h"
#include "tests/headless/run_headless.h"

namespace fs = std::filesystem;

namespace cab::testing {
namespace {

constexpr double ZoneCm = 150;  // the demo stations' stop zone either side of the stopping point

struct Trace {
  std::map<std::string, std::size_t> column;
  std::vector<std::vector<double>> rows;

  double at(std::size_t row, const std::string& name) const { return rows[row].at(column.at(name)); }
  // The first row at or after t_ms `t` where `test` holds; rows.size() for none.
  template <class Test>
  std::size_t find(double t, Test test) const {
    for (std::size_t r = 0; r < rows.size(); ++r)
      if (at(r, "t_ms") >= t && test(r)) return r;
    return rows.size();
  }
};

struct DriveResult {
  HeadlessResult run;
  Trace trace;
};

DriveResult drive(const std::string& route, const std::string& vehicle, const std::string& script, int seconds) {
  const fs::path trace = fs::temp_directory_path() / ("cabview-demo-drive-" + std::to_string(::getpid()) + ".csv");
  DriveResult d;
  d.run = runHeadless("--data " + quoted(demoDir()) + " --route " + route + " --vehicle " + vehicle + " --script " +
                      quoted(fs::path(CABVIEW_FIXTURES) / "demo_drives" / script) + " --seconds " +
                      std::to_string(seconds) + " --trace " + quoted(trace) + " --trace-every 6");
  std::stringstream text(readAll(trace));
  std::string line;
  std::getline(text, line);
  std::stringstream header(line);
  for (std::string name; std::getline(header, name, ',');) {
    const std::size_t index = d.trace.column.size();
    d.trace.column[name] = index;
  }
  while (std::getline(text, line)) {
    std::vector<double> row;
    std::stringstream fields(line);
    for (std::string f; std::getline(fields, f, ',');) row.push_back(std::stod(f));
    d.trace.rows.push_back(row);
  }
  fs::remove(trace);
  return d;
}

// A station row of the East1 route file, field by field.
std::vector<std::string> stationFields(int i) {
  const auto rows = after(lines(demoDir() / "line_Local_East1.dat"), "[Station]");
  std::vector<std::string> fields;
  std::stringstream s(rows.at(static_cast<std::size_t>(i)));
  for (std::string f; std::getline(s, f, ',');) fields.push_back(f);
  return fields;
}
int departureTime(int i) { return std::stoi(stationFields(i).at(7)); }

// The length in clock units of route sound k of East1.
int soundClockUnits(int k) {
  std::string file = after(lines(demoDir() / "line_Local_East1.dat"), "[SoundData]").at(static_cast<std::size_t>(k));
  for (char& c : file)
    if (c == '\\') c = '/';
  return 30 * probeSoundLength(readAll(demoDir() / file)).seconds;
}

TEST(DemoDrives, EastLineFromFirstToLastStation) {
  const DriveResult d = drive("line_Local_East1.dat", "train_E231.dat", "east1_whole_line.txt", 600);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  EXPECT_EQ(d.run.err, "");
  const Trace& t = d.trace;
  ASSERT_FALSE(t.rows.empty());
  EXPECT_EQ(t.at(0, "doorsOpen"), 1);  // the first station opens with the doors open
  const auto standing = [&](std::size_t r) { return std::fabs(t.at(r, "speed_kmh")) < 0.01; };

  // 潮見坂: the conductor opens the doors once the train stands in the zone.
  const std::size_t opened = t.find(40000, [&](std::size_t r) { return t.at(r, "doorsOpen") == 1; });
  ASSERT_LT(opened, t.rows.size());
  EXPECT_TRUE(standing(opened));
  EXPECT_EQ(t.at(opened, "nextStopIndex"), 1);
  EXPECT_LE(std::fabs(t.at(opened, "remainingDistance")), ZoneCm);
  EXPECT_EQ(t.at(opened, "videoSwitchState"), 1);  // its station scene plays
  // The departure picks the next stop, skipping the passing station 2, not
  // before the timetable less the departure sound nor before the arrival
  // sound has run.
  const std::size_t departed = t.find(0, [&](std::size_t r) { return t.at(r, "nextStopIndex") == 3; });
  ASSERT_LT(departed, t.rows.size());
  EXPECT_GT(t.at(departed, "t_ms"), t.at(opened, "t_ms"));
  EXPECT_GE(t.at(departed, "clock"), departureTime(1) - soundClockUnits(3));
  EXPECT_GE(t.at(departed, "clock") - t.at(opened, "clock"), soundClockUnits(2));
  const std::size_t closed = t.find(t.at(departed, "t_ms"), [&](std::size_t r) { return t.at(r, "doorsOpen") == 0; });
  ASSERT_LT(closed, t.rows.size());
  EXPECT_TRUE(standing(closed));

  // 鴨居原 (no door work): standing in the zone, then the next stop is the last station.
  const std::size_t atThird =
      t.find(t.at(closed, "t_ms") + 10000, [&](std::size_t r) { return standing(r) && t.at(r, "nextStopIndex") == 3; });
  ASSERT_LT(atThird, t.rows.size());
  EXPECT_LE(std::fabs(t.at(atThird, "remainingDistance")), ZoneCm);
  EXPECT_EQ(t.at(atThird, "doorsOpen"), 0);
  const std::size_t toLast =
      t.find(t.at(atThird, "t_ms"), [&](std::size_t r) { return t.at(r, "nextStopIndex") == 4; });
  ASSERT_LT(toLast, t.rows.size());

  // 東灯台: the doors open and, once the arrival sound has run, the drive
  // ends itself, long before --seconds. (The late train's departure is made
  // in that same last tick, so the last row already looks past the station.)
  const std::size_t opensLast =
      t.find(t.at(toLast, "t_ms"), [&](std::size_t r) { return t.at(r, "doorsOpen") == 1; });
  ASSERT_LT(opensLast, t.rows.size());
  EXPECT_EQ(t.at(opensLast, "nextStopIndex"), 4);
  EXPECT_TRUE(standing(opensLast));
  EXPECT_LE(std::fabs(t.at(opensLast, "remainingDistance")), ZoneCm);
  const std::size_t last = t.rows.size() - 1;
  EXPECT_TRUE(standing(last));
  EXPECT_EQ(t.at(last, "doorsOpen"), 1);
  EXPECT_GE(t.at(last, "clock") - t.at(opensLast, "clock"), soundClockUnits(2));
  EXPECT_LT(t.at(last, "t_ms"), 400000);
  // The closing line counts the three stops after 霞野 and names the drive's own end.
  EXPECT_NE(d.run.out.find(" stops=3 reason=closed\n"), std::string::npos) << d.run.out;
}

TEST(DemoDrives, OverrunIsNoArrivalUntilTheTrainBacksIntoTheZone) {
  const DriveResult d = drive("line_Local_East1.dat", "train_E231.dat", "east1_overrun.txt", 175);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  const Trace& t = d.trace;
  // Standing beyond the zone before the reverser moves: doors shut, the stop
  // still ahead in the order of stations, the distance negative.
  const std::size_t beyond = t.find(118000, [](std::size_t) { return true; });
  ASSERT_LT(beyond, t.rows.size());
  EXPECT_EQ(t.at(beyond, "speed_kmh"), 0);
  EXPECT_LT(t.at(beyond, "remainingDistance"), -ZoneCm);
  EXPECT_EQ(t.at(beyond, "doorsOpen"), 0);
  EXPECT_EQ(t.at(beyond, "nextStopIndex"), 1);
  // Backing (reverser -1, negative speed) into the zone, the doors open as on a normal arrival.
  const std::size_t backing = t.find(124000, [&](std::size_t r) { return t.at(r, "speed_kmh") < -1; });
  ASSERT_LT(backing, t.rows.size());
  EXPECT_EQ(t.at(backing, "reverser"), -1);
  const std::size_t opened = t.find(124000, [&](std::size_t r) { return t.at(r, "doorsOpen") == 1; });
  ASSERT_LT(opened, t.rows.size());
  EXPECT_LE(std::fabs(t.at(opened, "remainingDistance")), ZoneCm);
  EXPECT_EQ(t.at(opened, "nextStopIndex"), 1);
}

TEST(DemoDrives, JumpsPutTheTrainAtTheStationWithItsClock) {
  const DriveResult d = drive("line_Local_East1.dat", "train_E231.dat", "east1_jumps.txt", 18);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  const Trace& t = d.trace;
  struct Landing {
    std::size_t row;
    double position;
    double clock;
  };
  // The first row after each jump (the clock runs on by a unit or two by then).
  const auto land = [&](double tMs, int station) {
    const std::size_t r = t.find(tMs, [](std::size_t) { return true; });
    EXPECT_LT(r, t.rows.size());
    EXPECT_EQ(t.at(r, "frame"), std::stoi(stationFields(station).at(2)));
    EXPECT_EQ(t.at(r, "nextStopIndex"), station);
    EXPECT_EQ(t.at(r, "speed_kmh"), 0);
    return Landing{r, t.at(r, "position_cm"), t.at(r, "clock")};
  };
  const Landing second = land(5000, 1), fourth = land(10000, 3), first = land(15500, 0);
  // At a stop with door work the conductor opens the doors after the jump; elsewhere they stay shut.
  EXPECT_EQ(t.at(t.find(6000, [](std::size_t) { return true; }), "doorsOpen"), 1);
  EXPECT_EQ(t.at(t.find(11000, [](std::size_t) { return true; }), "doorsOpen"), 0);
  const auto sounds = [](int station) {
    return soundClockUnits(std::stoi(stationFields(station).at(4))) +
           soundClockUnits(std::stoi(stationFields(station).at(5)));
  };
  EXPECT_NEAR(second.clock, departureTime(1) - sounds(1), 2);
  EXPECT_NEAR(fourth.clock, departureTime(3) - sounds(3), 2);
  EXPECT_NEAR(first.clock, departureTime(0) - sounds(0), 2);
  EXPECT_LT(first.position, second.position);
  // 柳沢口 is a passing station: the Move menu does not offer it, so the jump
  // is refused and the train stays at 鴨居原 until the next jump.
  EXPECT_EQ(d.run.err, "message: move 2: station 2 is not in the Move menu (it offers stations 0, 1, 3)\n");
  const std::size_t refused = t.find(15000, [](std::size_t) { return true; });
  ASSERT_LT(refused, t.rows.size());
  EXPECT_EQ(t.at(refused, "position_cm"), fourth.position);
  EXPECT_EQ(t.at(refused, "frame"), std::stoi(stationFields(3).at(2)));
  EXPECT_NE(t.at(refused, "nextStopIndex"), 2);
}

TEST(DemoDrives, DieselEngineStopsStartsStallsAndChangesGear) {
  const DriveResult d = drive("line_Local_West1.dat", "train_D20.dat", "west1_diesel_engine.txt", 70);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  const Trace& t = d.trace;
  const auto row = [&](double tMs) { return t.find(tMs, [](std::size_t) { return true; }); };
  const auto engine = [&](double tMs) { return t.at(row(tMs), "engineRunning"); };
  EXPECT_EQ(engine(1000), 1);
  EXPECT_EQ(engine(7000), -2);   // Shift+F2 held: stopping
  EXPECT_EQ(engine(12000), 0);   // held 5 s: stopped
  EXPECT_EQ(engine(14000), -1);  // F2: cranking
  EXPECT_EQ(engine(17000), 0);   // let go after 3 s: still stopped
  EXPECT_EQ(engine(25000), 1);   // held 5 s: running
  // Power in the top gear at a standstill stalls it.
  const std::size_t stalled = row(29000);
  EXPECT_EQ(t.at(stalled, "engineRunning"), 0);
  EXPECT_EQ(t.at(stalled, "gearLever"), 2);
  EXPECT_EQ(t.at(stalled, "speed_kmh"), 0);
  // Restarted in first gear the train drives off; the lever to 2 shifts up under power.
  const std::size_t first = row(55000);
  EXPECT_EQ(t.at(first, "engineRunning"), 1);
  EXPECT_EQ(t.at(first, "gear"), 1);
  EXPECT_GT(t.at(first, "speed_kmh"), 5);
  EXPECT_GT(t.at(first, "engineRpm"), 30);
  const std::size_t second = row(62000);
  EXPECT_EQ(t.at(second, "gear"), 2);
  EXPECT_EQ(t.at(second, "engineRunning"), 1);
  EXPECT_GT(t.at(second, "speed_kmh"), t.at(first, "speed_kmh"));
}

}  // namespace
}  // namespace cab::testing
