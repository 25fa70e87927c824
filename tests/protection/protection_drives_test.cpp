// Whole drives on small protection fixtures (tests/fixtures/protection),
// read back from the runner's trace and its log lines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/headless/run_headless.h"

namespace cab::testing {
namespace {

namespace fs = std::filesystem;

constexpr int SignalFrame = 1500;              // the stop signal of stop_signal.dat
constexpr double SpeedCheckPosition = 150000;  // the "[SpeedCheck1]" point of plain_line.dat, cm

struct Drive {
  HeadlessResult run;
  std::map<std::string, std::size_t> column;
  std::vector<std::vector<double>> rows;

  double at(std::size_t row, const std::string& name) const { return rows[row].at(column.at(name)); }
  // The first row where `test` holds; rows.size() for none.
  template <class Test>
  std::size_t first(Test test) const {
    for (std::size_t r = 0; r < rows.size(); ++r)
      if (test(r)) return r;
    return rows.size();
  }
  std::size_t firstSet(const std::string& name) const {
    return first([&](std::size_t r) { return at(r, name) != 0; });
  }
  double seconds(std::size_t row) const { return at(row, "t_ms") / 1000; }
  std::size_t last() const { return rows.size() - 1; }
};

Drive drive(const std::string& route, const std::string& vehicle, const std::string& script, int seconds) {
  const fs::path fixtures = fs::path(CABVIEW_FIXTURES) / "protection";
  const fs::path trace = fs::temp_directory_path() / ("cabview-protection-" + std::to_string(::getpid()) + ".csv");
  Drive d;
  d.run = runHeadless("--data " + quoted(fixtures) + " --route " + route + " --vehicle " + vehicle + " --script " +
                      quoted(fixtures / script) + " --seconds " + std::to_string(seconds) + " --trace " +
                      quoted(trace) + " --trace-every 6");
  std::stringstream text;
  text << std::ifstream(trace).rdbuf();
  fs::remove(trace);
  std::string line;
  std::getline(text, line);
  std::stringstream header(line);
  for (std::string name; std::getline(header, name, ',');) d.column.emplace(name, d.column.size());
  while (std::getline(text, line)) {
    std::vector<double> row;
    std::stringstream fields(line);
    for (std::string f; std::getline(fields, f, ',');) row.push_back(std::stod(f));
    d.rows.push_back(row);
  }
  return d;
}

TEST(ProtectionDrives, AnUnacknowledgedBellBrakesTheTrainBeforeTheStopSignal) {
  const Drive d = drive("stop_signal.dat", "spot.dat", "coast_to_signal.txt", 75);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  const std::size_t warned = d.first([&](std::size_t r) { return d.at(r, "signalLimit") == 998; });
  const std::size_t braked = d.firstSet("atsEmergency");
  ASSERT_LT(braked, d.rows.size());
  ASSERT_LT(warned, braked);
  // "[ATS_Time]" 5: the emergency brake five seconds after the bell.
  EXPECT_NEAR(d.seconds(braked) - d.seconds(warned), 5.0, 0.3);
  EXPECT_GT(d.at(braked, "speed_kmh"), 30);
  EXPECT_EQ(d.at(d.last(), "speed_kmh"), 0);
  EXPECT_LT(d.at(d.last(), "frame"), SignalFrame);
  EXPECT_EQ(d.at(d.last(), "brakeCommand"), -8);
  EXPECT_EQ(d.at(d.last(), "brakeHandle"), 0);  // the driver never braked
}

TEST(ProtectionDrives, AnAcknowledgedBellLeavesTheBrakeToTheDriver) {
  const Drive d = drive("stop_signal.dat", "spot.dat", "acknowledge_bell.txt", 90);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  const std::size_t warned = d.first([&](std::size_t r) { return d.at(r, "signalLimit") == 998; });
  ASSERT_LT(warned, d.rows.size());
  EXPECT_EQ(d.firstSet("atsEmergency"), d.rows.size());
  const std::size_t stood = d.first([&](std::size_t r) { return r > warned && d.at(r, "speed_kmh") == 0; });
  ASSERT_LT(stood, d.rows.size());
  EXPECT_EQ(d.at(stood, "brakeCommand"), -7);  // stopped on the service brake
  EXPECT_LT(d.at(d.last(), "frame"), SignalFrame);
}

TEST(ProtectionDrives, ThePatternBrakesToAStandBeforeTheStopSignalAndResetReleasesIt) {
  const Drive d = drive("stop_signal.dat", "pattern.dat", "pattern_to_signal.txt", 75);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  const std::size_t braked = d.firstSet("atsServiceBrake");
  ASSERT_LT(braked, d.rows.size());
  EXPECT_GT(d.at(braked, "speed_kmh"), 50);
  EXPECT_EQ(d.at(braked, "powerHandle"), 4);  // the driver kept full power
  EXPECT_EQ(d.firstSet("atsEmergency"), d.rows.size());
  const std::size_t stood = d.first([&](std::size_t r) { return r > braked && d.at(r, "speed_kmh") == 0; });
  ASSERT_LT(stood, d.rows.size());
  EXPECT_LT(d.at(stood, "frame"), SignalFrame);
  EXPECT_EQ(d.at(stood, "atsServiceBrake"), 1);
  EXPECT_EQ(d.at(stood, "brakeCommand"), -7);
  // "r" at 71 s, with the handle at B1: released, the brake follows the handle.
  EXPECT_EQ(d.at(d.last(), "atsServiceBrake"), 0);
  EXPECT_EQ(d.at(d.last(), "brakeCommand"), -1);
  // The log tells the pattern's story on stdout.
  const std::string& out = d.run.out;
  EXPECT_NE(out.find("\nlog: 停止信号0まで28"), std::string::npos) << out;
  EXPECT_NE(out.find("\nlog: パターン接近"), std::string::npos) << out;
  EXPECT_NE(out.find("\nlog: 10km/h照査によって停止ブレーキ 速度"), std::string::npos) << out;
  EXPECT_LT(out.find("\nlog: "), out.find("\nend: "));
}

TEST(ProtectionDrives, APointCheckPassedTooFastBrakesAndResetReleasesIt) {
  const Drive d = drive("plain_line.dat", "spot.dat", "full_power.txt", 120);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  const std::size_t braked = d.firstSet("atsEmergency");
  ASSERT_LT(braked, d.rows.size());
  EXPECT_GT(d.at(braked, "position_cm"), SpeedCheckPosition);
  EXPECT_LT(d.at(braked, "position_cm"), SpeedCheckPosition + 1000);  // on the next tick
  EXPECT_GT(d.at(braked, "speed_kmh"), 30);
  EXPECT_EQ(d.at(d.last(), "speed_kmh"), 0);
  EXPECT_EQ(d.at(d.last(), "atsEmergency"), 0);  // EB and "r" once standing
}

TEST(ProtectionDrives, TheVigilanceDeviceTripsAfterItsTimeWithoutInput) {
  const Drive quiet = drive("plain_line.dat", "vigilant.dat", "coast.txt", 100);
  ASSERT_EQ(quiet.run.exitStatus, 0) << quiet.run.err;
  const std::size_t tripped = quiet.firstSet("ebDeviceTrip");
  ASSERT_LT(tripped, quiet.rows.size());
  // The last input at 25 s; the trip 65.1 s later, as the next frame shows it.
  EXPECT_NEAR(quiet.seconds(tripped), 90.1, 0.25);
  EXPECT_GT(quiet.at(tripped, "speed_kmh"), 30);
  EXPECT_EQ(quiet.at(quiet.last(), "speed_kmh"), 0);
  EXPECT_EQ(quiet.at(quiet.last(), "brakeCommand"), -8);

  const Drive attentive = drive("plain_line.dat", "vigilant.dat", "coast_with_inputs.txt", 130);
  ASSERT_EQ(attentive.run.exitStatus, 0) << attentive.run.err;
  EXPECT_EQ(attentive.firstSet("ebDeviceTrip"), attentive.rows.size());
  EXPECT_GT(attentive.at(attentive.last(), "speed_kmh"), 30);
}

TEST(ProtectionDrives, RollingBackFasterThan7KmhBrakesAndResetReleasesIt) {
  const Drive d = drive("upgrade.dat", "spot.dat", "roll_back.txt", 80);
  ASSERT_EQ(d.run.exitStatus, 0) << d.run.err;
  const std::size_t braked = d.firstSet("atsEmergency");
  ASSERT_LT(braked, d.rows.size());
  EXPECT_EQ(d.at(braked, "reverser"), 1);
  EXPECT_LT(d.at(braked, "speed_kmh"), -7);
  EXPECT_GT(d.at(braked - 1, "speed_kmh"), -7.3);  // no later than a frame after the limit
  const std::size_t rolled = d.first([&](std::size_t r) { return d.at(r, "speed_kmh") < -1; });
  EXPECT_LT(rolled, braked);
  EXPECT_EQ(d.at(d.last(), "atsEmergency"), 0);
}

}  // namespace
}  // namespace cab::testing
