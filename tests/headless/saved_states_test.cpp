// Options and saved states kept in an INI file (--settings) from one run of
// the runner to the next.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/headless/run_headless.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// The small driving set with a route of three stops, so the Move menu can
// put the train at the second one.
class SavedStatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-saves-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::copy(fs::path(CABVIEW_FIXTURES) / "driving", root_, fs::copy_options::recursive);
    const std::string route =
        "[LineName]\nTest line\n[LineName2]\nTL\n[Station]\n"
        "A,0,30,150,0,0,0,0,100,0,0,0,0,0,0,0,0\nB,0,9000,150,0,0,0,0,100,0,0,0,0,0,0,0,0\n"
        "C,0,27000,150,0,0,0,0,100,0,0,0,0,0,0,0,0\n#\n[SpeedUnit]\n0,30000,36,36\n#\n";
    for (const char* file : {"line_Local_East1.dat", "line_Local_East2.dat"}) std::ofstream(root_ / file) << route;
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string read(const fs::path& file) const {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // Runs a script on a route with the INI file; the trace goes to t.csv.
  testing::HeadlessResult run(const std::string& script, const std::string& route = "line_Local_East1.dat") {
    std::ofstream(root_ / "s.txt") << script;
    return testing::runHeadless("--data " + testing::quoted(root_) + " --route " + route +
                                " --vehicle train_E231.dat --settings " + testing::quoted(ini()) + " --script " +
                                testing::quoted(root_ / "s.txt") + " --trace " + testing::quoted(root_ / "t.csv"));
  }
  fs::path ini() const { return root_ / "settings" / "cabview.ini"; }

  // The trace's column `name` in its last row.
  std::string lastTraceValue(const std::string& name) const {
    std::istringstream trace(read(root_ / "t.csv"));
    std::string header, row, last;
    std::getline(trace, header);
    while (std::getline(trace, row)) last = row;
    std::istringstream names(header), values(last);
    for (std::string n, v; std::getline(names, n, ',') && std::getline(values, v, ',');)
      if (n == name) return v;
    return "";
  }

  fs::path root_;
};

TEST_F(SavedStatesTest, AStateSavedInOneRunIsRestoredInTheNext) {
  const auto first = run("1 move 1\n2 save 2\n3 char 5\n");
  ASSERT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_NE(first.err.find("message: 運転状態を保存しました\n"), std::string::npos) << first.err;
  const std::string saved = read(ini());
  EXPECT_NE(saved.find("Save2=\"line_Local_East1.dat,1,0,9000,"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Save2Title=TL（B～C）"), std::string::npos) << saved;
  // The options were written when the drive closed, with their defaults.
  EXPECT_NE(saved.find("Information=1"), std::string::npos) << saved;

  const auto second = run("1 load 2\n1.5 end\n");
  ASSERT_EQ(second.exitStatus, 0) << second.err;
  EXPECT_EQ(second.err.find("message: 運転"), std::string::npos) << second.err;
  EXPECT_EQ(lastTraceValue("frame"), "9000");
  EXPECT_EQ(lastTraceValue("nextStopIndex"), "2");
  EXPECT_EQ(lastTraceValue("brakeHandle"), "-7");  // standing: the strongest service step of eight
}

TEST_F(SavedStatesTest, EmptySlotsAndOtherRoutesAreRefused) {
  ASSERT_EQ(run("1 save 1\n").exitStatus, 0);
  const auto other = run("1 load 1\n1.2 load 3\n", "line_Local_East2.dat");
  EXPECT_NE(other.err.find("message: 運転状態を保存したダイヤではありません\nmessage: 運転状態が保存されていません\n"),
            std::string::npos)
      << other.err;
  EXPECT_EQ(lastTraceValue("frame"), "0");  // still at the route's start
}

// A file that is no INI text is never written over: the options start from
// their defaults and a save only says so.
TEST_F(SavedStatesTest, AnUnreadableFileIsLeftAsItIs) {
  fs::create_directories(ini().parent_path());
  const std::string garbage("\x89PNG\r\n\x1a\n\0\0\0\rIHDR[Software]\nVantorel\\Halvet\\Moji=0\n", 48);
  std::ofstream(ini(), std::ios::binary) << garbage;
  const auto r = run("1 save 1\n");
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_NE(r.err.find("cannot be read as an INI file"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("message: 運転状態を保存しました"), std::string::npos) << r.err;
  EXPECT_EQ(read(ini()), garbage);
}

}  // namespace
}  // namespace cab
