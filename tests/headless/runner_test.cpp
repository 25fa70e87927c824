#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "headless/script.h"
#include "tests/headless/run_headless.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;
using testing::quoted;
using testing::runHeadless;

class HeadlessRun : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-run-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_);
    write("vantorel.dat", "[Disp]\n30,1\n0\n64\n48\n0\n");
    testing::writeMinimalVehicle(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  void write(const std::string& name, const std::string& text) { std::ofstream(root_ / name) << text; }
  std::string baseArgs() const {
    return "--data " + quoted(root_) + " --route line_Local_East1.dat --vehicle train_E231.dat";
  }
  fs::path root_;
};

TEST_F(HeadlessRun, TracesEveryFrameAndBenchLine) {
  write("s.txt", "# pause for a while, then go on\n1.0 pause\n1.5 resume\n2.0 end\n");
  auto r = runHeadless(baseArgs() + " --script " + quoted(root_ / "s.txt") + " --trace " + quoted(root_ / "t.csv") +
                       " --bench");
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_NE(r.out.find("frames="), std::string::npos);
  EXPECT_NE(r.out.find(" tick_us_p99="), std::string::npos);
  std::ifstream trace(root_ / "t.csv");
  std::string header, row;
  std::getline(trace, header);
  EXPECT_EQ(header.rfind("t_ms,frame,position_cm,speed_kmh,reverser,", 0), 0u);
  EXPECT_NE(header.find(",ebDeviceTrip,signalLimit"), std::string::npos);
  int rows = 0;
  long long lastT = -1;
  bool framesWhilePaused = false;
  while (std::getline(trace, row)) {
    ++rows;
    const long long t = std::stoll(row.substr(0, row.find(',')));
    if (t > 1000 && t < 1500) framesWhilePaused = true;
    EXPECT_GE(t - lastT, 17);  // frames are paced at no less than 16.667 ms
    lastT = t;
  }
  // About 1.5 s of running at 17 ms a frame; no frames while paused.
  EXPECT_GT(rows, 80);
  EXPECT_LT(rows, 95);
  EXPECT_FALSE(framesWhilePaused);
}

TEST_F(HeadlessRun, MalformedSettingsHalt) {
  write("vantorel.dat", "[Disp]\nthirty\n");
  auto r = runHeadless(baseArgs() + " --seconds 1");
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_NE(r.err.find("halt: stringファイルに誤りがあります"), std::string::npos) << r.err;
}

TEST_F(HeadlessRun, BadCommandLineAndScript) {
  EXPECT_EQ(runHeadless("--data " + quoted(root_)).exitStatus, 2);
  write("bad.txt", "1.0 fly\n");
  auto r = runHeadless(baseArgs() + " --script " + quoted(root_ / "bad.txt"));
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_NE(r.err.find("script line 1"), std::string::npos);
}

TEST(Script, ParsesEveryActionInTimeOrder) {
  std::istringstream in(
      "2.5 char 8  # power\n0.5 down F1\n0.5 up Num4\n1 wheel up\n1 char space\n1 char enter\n3 move 2\n"
      "4 save 1\n4 load 3\n5 end\n");
  auto script = headless::parseScript(in);
  ASSERT_EQ(script.actions.size(), 10u);
  EXPECT_EQ(script.actions[0].kind, headless::ActionKind::Down);
  EXPECT_EQ(script.actions[0].keyCode, 0x70);
  EXPECT_EQ(script.actions[1].keyCode, 0x64);
  EXPECT_EQ(script.actions[3].character, ' ');
  EXPECT_EQ(script.actions[4].character, '\r');
  EXPECT_EQ(script.actions[5].atMs, 2500);
  EXPECT_EQ(script.actions[5].character, '8');
  EXPECT_EQ(script.actions[6].number, 2);
  for (const char* bad : {"x char 8\n", "1 down Nokey\n", "1 save 4\n", "1 char ab\n", "1 wheel left\n", "1\n"}) {
    std::istringstream b(bad);
    EXPECT_THROW(headless::parseScript(b), std::runtime_error) << bad;
  }
}

}  // namespace
}  // namespace cab
