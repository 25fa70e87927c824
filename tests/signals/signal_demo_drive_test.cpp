// A whole drive on the demo's following-train line: the signal ahead follows
// the preceding train block by block, read back from the runner's trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/presentation/overlays/signal_heads.h"
#include "tests/demo/demo_set.h"
#include "tests/headless/run_headless.h"

namespace fs = std::filesystem;

namespace cab::testing {
namespace {

// The trace's rows, keeping the columns asked for, in that order.
std::vector<std::vector<long>> traceColumns(const std::string& csv, const std::vector<std::string>& names) {
  std::stringstream text(csv);
  std::string line;
  std::getline(text, line);
  std::vector<std::string> header;
  std::stringstream h(line);
  for (std::string name; std::getline(h, name, ',');) header.push_back(name);
  std::vector<std::size_t> index;
  for (const std::string& name : names) {
    const auto at = std::find(header.begin(), header.end(), name);
    EXPECT_NE(at, header.end()) << name;
    index.push_back(static_cast<std::size_t>(at - header.begin()));
  }
  std::vector<std::vector<long>> rows;
  while (std::getline(text, line)) {
    std::vector<std::string> fields;
    std::stringstream f(line);
    for (std::string field; std::getline(f, field, ',');) fields.push_back(field);
    std::vector<long> row;
    for (std::size_t i : index) row.push_back(std::stol(fields.at(i)));
    rows.push_back(row);
  }
  return rows;
}

// Field `n` (from 1) of every row of a table of the route file.
std::vector<int> tableField(const fs::path& route, const std::string& key, int n) {
  std::vector<int> values;
  for (const std::string& row : after(lines(route), key)) {
    std::stringstream s(row);
    std::string field;
    for (int i = 0; i < n; ++i) std::getline(s, field, ',');
    values.push_back(std::stoi(field));
  }
  return values;
}

TEST(SignalDemoDrive, PrecedingTrainHoldsTheStartingSignalThenClearsBlockByBlock) {
  const fs::path route = demoDir() / "line_Local_East2.dat";
  const fs::path trace = fs::temp_directory_path() / ("cabview-signal-drive-" + std::to_string(::getpid()) + ".csv");
  const auto run =
      runHeadless("--data " + quoted(demoDir()) + " --route line_Local_East2.dat --vehicle train_E231.dat" +
                  " --script " + quoted(fs::path(CABVIEW_FIXTURES) / "demo_drives/east2_preceding_train.txt") +
                  " --seconds 140 --trace " + quoted(trace) + " --trace-every 6");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const auto rows = traceColumns(readAll(trace), {"frame", "nextStopIndex", "shownSignalImage", "preTrainFrame"});
  fs::remove(trace);
  ASSERT_FALSE(rows.empty());
  enum { Frame, NextStop, Picture, PreTrain };
  // Rows 1 to 4 of "[Signal]": the starting signal of the first station and
  // the signals at the end of each block ahead of it.
  const std::vector<int> signalAt = tableField(route, "[Signal]", 6);
  ASSERT_EQ(signalAt.size(), 5u);

  // The train stands at its first station all the while, facing the starting
  // signal; the pictures it shows, in order, and the first row of each.
  std::vector<long> pictures;
  std::vector<std::size_t> firstRow;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(rows[r][Frame], rows[0][Frame]);
    const long picture = rows[r][Picture];
    if (picture == 999 || (!pictures.empty() && pictures.back() == picture)) continue;
    pictures.push_back(picture);
    firstRow.push_back(r);
  }
  // Head type 4: stop, caution, reduced speed, proceed.
  ASSERT_EQ(pictures, (std::vector<long>{13, 14, 15, 16}));
  EXPECT_TRUE(isStopImage(13));

  // After the departure the signal stays at stop for the preceding train in
  // the block ahead, not for the station.
  std::size_t heldAfterDeparture = 0;
  for (std::size_t r = firstRow[0]; r < firstRow[1]; ++r) {
    if (rows[r][NextStop] == 0) continue;
    EXPECT_GT(rows[r][PreTrain], signalAt[1]) << "row " << r;
    ++heldAfterDeparture;
  }
  EXPECT_GT(heldAfterDeparture, 50u) << "more than 5 s";
  // Each step up comes as the preceding train clears the next block: on the
  // first tick after it passed the block's last signal.
  for (std::size_t k = 1; k < firstRow.size(); ++k) {
    const auto at = rows[firstRow[k]][PreTrain], before = rows[firstRow[k] - 1][PreTrain];
    EXPECT_GT(at, signalAt[k + 1]) << "picture " << pictures[k];
    EXPECT_LE(before, signalAt[k + 1] + 30) << "picture " << pictures[k];
  }
  // Past the second "[Pre_Train]" value it has left the route.
  EXPECT_EQ(rows.back()[PreTrain], 0);
}

TEST(SignalDemoDrive, JumpPutsThePrecedingTrainAtTheNextStationOfItsTimetable) {
  const fs::path route = demoDir() / "line_Local_East2.dat";
  const fs::path trace = fs::temp_directory_path() / ("cabview-signal-jump-" + std::to_string(::getpid()) + ".csv");
  const auto run =
      runHeadless("--data " + quoted(demoDir()) + " --route line_Local_East2.dat --vehicle train_E231.dat" +
                  " --script " + quoted(fs::path(CABVIEW_FIXTURES) / "demo_drives/east2_jump_preceding_train.txt") +
                  " --seconds 40 --trace " + quoted(trace) + " --trace-every 6");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const auto rows = traceColumns(readAll(trace), {"t_ms", "clock", "shownSignalImage", "preTrainFrame"});
  fs::remove(trace);
  enum { Ms, Clock, Picture, PreTrain };
  // The lines of "[Pre_Train]": the start and limit values, then the rows;
  // its second row has the preceding train wait at the route's third
  // station, 鴨居原, until its departure time.
  const std::vector<int> departures = tableField(route, "[Pre_Train]", 3);
  const std::vector<int> tails = tableField(route, "[Station]", 16);
  ASSERT_EQ(tableField(route, "[Pre_Train]", 1).at(2), 2);
  std::size_t waiting = 0, left = 0;
  for (const auto& row : rows) {
    if (row[Ms] < 3000) continue;
    if (row[Clock] <= departures.at(2)) {
      EXPECT_EQ(row[PreTrain], tails.at(2)) << row[Ms];
      // Once the station's departure was handled, its home signal at stop
      // puts the starting signal at caution.
      if (row[Picture] == 14) ++waiting;
    } else if (row[PreTrain] > tails.at(2)) {
      ++left;
    }
  }
  EXPECT_GT(waiting, 0u);
  EXPECT_GT(left, 0u);
}

// The demo's following-train line with one of its signal rows spoilt: the
// drive halts while loading, naming the row and what it lacks.
struct SpoiltSignal {
  const char* name;
  std::string row, spoilt;
  std::vector<std::string> halt;
};

class SpoiltSignalRoute : public ::testing::TestWithParam<SpoiltSignal> {};

TEST_P(SpoiltSignalRoute, HaltsWhileLoading) {
  const SpoiltSignal& c = GetParam();
  std::string text = readAll(demoDir() / "line_Local_East2.dat");
  const auto at = text.find(c.row);
  ASSERT_NE(at, std::string::npos) << c.row;
  text.replace(at, c.row.size(), c.spoilt);
  const std::string file = std::string("line_Spoilt_") + c.name + ".dat";
  std::ofstream(demoDir() / file, std::ios::binary) << text;
  const auto run =
      runHeadless("--data " + quoted(demoDir()) + " --route " + file + " --vehicle train_E231.dat --seconds 1");
  EXPECT_EQ(run.exitStatus, 2);
  std::vector<std::string> halts;
  std::stringstream err(run.err);
  for (std::string line; std::getline(err, line);)
    if (line.rfind("halt: ", 0) == 0) halts.push_back(line.substr(6));
  EXPECT_EQ(halts, c.halt) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Rows, SpoiltSignalRoute,
                         ::testing::Values(
                             // The starting signal's sub-signal picture has four patterns.
                             SpoiltSignal{"SubSignalPicture",
                                          "3,0,0,4,",
                                          "3,50,0,4,",
                                          {"路線ファイルに誤りがあります。[Signal]:2行目",
                                           "サブ信号機0の画像にコマ50がありません(コマは0〜3)"}},
                             SpoiltSignal{"Translation",
                                          "2234444444\r\n",
                                          "2239444444\r\n",
                                          {"路線ファイルに誤りがあります。[Signal2]:1行目",
                                           "4桁目の現示9が[Speed_Signal]の現示0〜4にありません"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cab::testing
