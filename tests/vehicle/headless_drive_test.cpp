#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/headless/run_headless.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// One trace row by column name.
using Row = std::map<std::string, double>;

std::vector<Row> readTrace(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  std::vector<std::string> names;
  std::stringstream header(line);
  for (std::string name; std::getline(header, name, ',');) names.push_back(name);
  std::vector<Row> rows;
  while (std::getline(in, line)) {
    std::stringstream fields(line);
    Row row;
    std::string field;
    for (std::size_t i = 0; i < names.size() && std::getline(fields, field, ','); ++i) row[names[i]] = std::stod(field);
    rows.push_back(row);
  }
  return rows;
}

// Releases the brake from EB, takes notch 4, tries the reverser at speed,
// then brakes to a stop (tests/fixtures/driving/drive_script.txt).
TEST(HeadlessDrive, PowerUpAccelerateBrakeStop) {
  const fs::path fixtures = fs::path(CABVIEW_FIXTURES) / "driving";
  const fs::path trace = fs::temp_directory_path() / ("cabview-driving-" + std::to_string(::getpid()) + ".csv");
  auto r = testing::runHeadless("--data " + testing::quoted(fixtures) +
                                " --route line_Local_East1.dat --vehicle train_E231.dat --script " +
                                testing::quoted(fixtures / "drive_script.txt") + " --trace " + testing::quoted(trace));
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  const auto rows = readTrace(trace);
  fs::remove(trace);
  ASSERT_GT(rows.size(), 2000u);

  const Row& start = rows.front();
  EXPECT_EQ(start.at("brakeHandle"), -8);  // a drive starts at EB
  EXPECT_EQ(start.at("brakeCommand"), -8);

  double topSpeed = 0, lastPosition = 0, lowestMr = 1000;
  bool notchFollowedLater = false, reverserKept = true, bpCharged = false;
  for (const Row& row : rows) {
    const double t = row.at("t_ms");
    if (t < 12000) {
      topSpeed = std::max(topSpeed, row.at("speed_kmh"));
      EXPECT_GE(row.at("position_cm"), lastPosition);  // never rolls back
      lastPosition = row.at("position_cm");
    }
    // The effective notch follows the handle only after the power delay.
    if (t > 1000 && t < 1070) {
      EXPECT_EQ(row.at("powerNotch"), 0) << t;
    }
    if (t > 1200 && t < 12000 && row.at("powerNotch") == 4) notchFollowedLater = true;
    if (t > 8000 && row.at("reverser") != 1) reverserKept = false;
    if (row.at("bpPressure") > 480) bpCharged = true;
    lowestMr = std::min(lowestMr, row.at("mrPressure"));
  }
  EXPECT_TRUE(notchFollowedLater);
  EXPECT_GT(topSpeed, 15);
  EXPECT_TRUE(reverserKept);  // refused above 1 km/h
  EXPECT_TRUE(bpCharged);     // the brake pipe charged toward 490 kPa

  const Row& end = rows.back();
  EXPECT_EQ(end.at("speed_kmh"), 0);
  EXPECT_EQ(end.at("brakeCommand"), -7);
  EXPECT_GT(end.at("bcMotor"), 400);  // full service: 7/7 of 440 kPa
  EXPECT_LT(end.at("bcMotor"), 441);
  // The main reservoir fell below the compressor's start pressure and the
  // compressor then charged it again.
  EXPECT_LT(lowestMr, 780);
  EXPECT_GT(end.at("mrPressure"), lowestMr + 20);
}

}  // namespace
}  // namespace cab
