#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "core/data/data_error.h"
#include "headless/arguments.h"
#include "headless/halt_lines.h"
#include "headless/script.h"
#include "tests/headless/run_headless.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;
using testing::HeadlessResult;
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
    testing::writeMinimalRoute(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  void write(const std::string& name, const std::string& text) { std::ofstream(root_ / name) << text; }
  std::string baseArgs() const {
    return "--data " + quoted(root_) + " --route line_Local_East1.dat --vehicle train_E231.dat";
  }
  // Runs a script and returns the run with the trace's last row, by column.
  struct ScriptedRun {
    HeadlessResult result;
    std::map<std::string, std::string> last;
  };
  ScriptedRun runScript(const std::string& script, const std::string& more = "") {
    write("s.txt", script);
    ScriptedRun run;
    run.result =
        runHeadless(baseArgs() + " --script " + quoted(root_ / "s.txt") + " --trace " + quoted(root_ / "t.csv") + more);
    std::ifstream trace(root_ / "t.csv");
    std::string header, row, line;
    std::getline(trace, header);
    while (std::getline(trace, line)) row = line;
    std::stringstream names(header), values(row);
    for (std::string name, value; std::getline(names, name, ',') && std::getline(values, value, ',');)
      run.last[name] = value;
    return run;
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

TEST_F(HeadlessRun, EveryRunClosesWithAnEndLine) {
  write("end.txt", "0.5 end\n2 char 5\n");
  write("last.txt", "0.7 char 5\n");
  struct Case {
    std::string arguments, endLine;
  };
  const Case cases[] = {
      {" --seconds 1", "end: t_s=1.000 position_cm=1000.0000 stops=0 reason=seconds\n"},
      {" --seconds 5 --script " + quoted(root_ / "end.txt"),
       "end: t_s=0.500 position_cm=1000.0000 stops=0 reason=script\n"},
      {" --script " + quoted(root_ / "last.txt"), "end: t_s=0.700 position_cm=1000.0000 stops=0 reason=script\n"},
      {" --seconds 1 --bench", "end: t_s=1.000 position_cm=1000.0000 stops=0 reason=seconds\n"},
  };
  for (const Case& c : cases) {
    const auto r = runHeadless(baseArgs() + c.arguments);
    EXPECT_EQ(r.exitStatus, 0) << c.arguments << r.err;
    // The closing line is the last one.
    ASSERT_GE(r.out.size(), c.endLine.size()) << c.arguments;
    EXPECT_EQ(r.out.substr(r.out.size() - c.endLine.size()), c.endLine) << c.arguments;
    EXPECT_EQ(r.out.find("end: "), r.out.size() - c.endLine.size()) << c.arguments;
  }
}

TEST_F(HeadlessRun, HaltEndsWithHaltLinesThenTheEndLine) {
  write("vantorel.dat", "[Disp]\nthirty\n");
  auto r = runHeadless(baseArgs() + " --seconds 1 --bench");
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_EQ(r.err.rfind("halt: ", 0), 0u) << r.err;
  EXPECT_EQ(r.out, "end: t_s=0.000 position_cm=0.0000 stops=0 reason=halt\n");  // no bench line after a halt
}

// The "message: move" lines of a run's stderr (the route has no video, which is a message too).
std::string moveLines(const std::string& err) {
  std::stringstream lines(err);
  std::string out;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("message: move", 0) == 0) out += line + '\n';
  return out;
}

// Moves go only to the stations of the "Move" menu: stops before the last
// station. Others are refused with a message and the run goes on.
TEST_F(HeadlessRun, MoveTakesOnlyTheStationsOfTheMoveMenu) {
  write("line_Local_East1.dat",
        "[LineName]\nTest line\n[Station]\n"
        "A,0,30,150,0,0,0,0,60,0,0,0,0,0,0,0,0\nP,1,100,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n"
        "C,2,200,150,0,0,0,0,60,0,0,0,0,0,0,0,0\nB,0,270,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n#\n"
        "[SpeedUnit]\n0,300,36,36\n#\n");
  struct Case {
    std::string script;
    std::string err;
    std::string frame;
  };
  const std::string refusal = " is not in the Move menu (it offers stations 0, 2)\n";
  const Case cases[] = {
      {"0.5 move 2\n1 end\n", "", "200"},
      {"0.5 move 1\n1 end\n", "message: move 1: station 1" + refusal, "0"},  // a passing station
      {"0.5 move 3\n1 end\n", "message: move 3: station 3" + refusal, "0"},  // the last station
      {"0.5 move 2\n0.6 move 7\n1 end\n", "message: move 7: station 7" + refusal, "200"},
  };
  for (const Case& c : cases) {
    const auto run = runScript(c.script);
    EXPECT_EQ(run.result.exitStatus, 0) << c.script;
    EXPECT_EQ(moveLines(run.result.err), c.err) << c.script;
    EXPECT_NE(run.result.out.find("reason=script"), std::string::npos) << c.script;  // refusals do not end the run
    EXPECT_EQ(run.last.at("frame"), c.frame) << c.script;
  }
}

// Scroll Lock swaps "2" and "8": with it the power key brakes.
TEST_F(HeadlessRun, ScrollLockSwapsPowerAndBrakeKeys) {
  const std::string keys = "0.3 char 5\n0.4 char 8\n1 end\n";
  const auto plain = runScript(keys);
  ASSERT_EQ(plain.result.exitStatus, 0) << plain.result.err;
  EXPECT_EQ(plain.last.at("powerHandle"), "1");
  EXPECT_EQ(plain.last.at("brakeHandle"), "0");
  const auto swapped = runScript("0.1 down ScrollLock\n0.2 up ScrollLock\n" + keys);
  ASSERT_EQ(swapped.result.exitStatus, 0) << swapped.result.err;
  EXPECT_EQ(swapped.last.at("powerHandle"), "0");
  EXPECT_EQ(swapped.last.at("brakeHandle"), "-1");
}

TEST(HeadlessProgram, HelpAndVersionPrintAndExitZero) {
  struct Case {
    std::string arguments, out;
  };
  const Case cases[] = {
      {"--help", std::string(headless::UsageText) + "\n"},
      {"-h", std::string(headless::UsageText) + "\n"},
      {"--version", "cabview-headless " CABVIEW_VERSION "\n"},
  };
  for (const Case& c : cases) {
    const auto r = runHeadless(c.arguments);
    EXPECT_EQ(r.exitStatus, 0) << c.arguments;
    EXPECT_EQ(r.out, c.out) << c.arguments;
    EXPECT_EQ(r.err, "") << c.arguments;
  }
}

// Whatever escapes a drive ends it as a halt: its texts become "halt: " lines.
TEST(HaltLines, EveryExceptionBecomesHaltLines) {
  struct Case {
    std::function<void()> body;
    std::string lines;
  };
  const Case cases[] = {
      {[] {
         throw HaltError(std::vector<std::string>{"first", "second"});
       },
       "halt: first\nhalt: second\n"},
      {[] { throw DataError("data"); }, "halt: data\n"},
      {[] { throw std::out_of_range("index 7"); }, "halt: index 7\n"},
      {[] { throw 42; }, "halt: unknown error\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream err;
    EXPECT_FALSE(headless::runReportingHalts(c.body, err));
    EXPECT_EQ(err.str(), c.lines);
  }
  std::ostringstream err;
  bool ran = false;
  EXPECT_TRUE(headless::runReportingHalts([&] { ran = true; }, err));
  EXPECT_TRUE(ran);
  EXPECT_EQ(err.str(), "");
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
  std::istringstream scrollLock("1 down ScrollLock\n");
  EXPECT_EQ(headless::parseScript(scrollLock).actions.at(0).keyCode, 0x91);  // VK_SCROLL
  for (const char* bad : {"x char 8\n", "1 down Nokey\n", "1 save 4\n", "1 char ab\n", "1 wheel left\n", "1\n"}) {
    std::istringstream b(bad);
    EXPECT_THROW(headless::parseScript(b), std::runtime_error) << bad;
  }
}

}  // namespace
}  // namespace cab
