#include "headless/arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cab::headless {
namespace {

struct Parsed {
  std::optional<RunOptions> options;
  std::string error;
};

Parsed parse(std::vector<std::string> words) {
  words.insert(words.begin(), "cabview-headless");
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  Parsed p;
  p.options = parseArguments(static_cast<int>(argv.size()), argv.data(), p.error);
  return p;
}

TEST(HeadlessArguments, HelpAndVersionStandAlone) {
  struct Case {
    std::vector<std::string> words;
    bool help, version;
  };
  const Case cases[] = {
      {{"--help"}, true, false},
      {{"-h"}, true, false},
      {{"--data", "d", "--help", "--bogus"}, true, false},  // nothing after it is read
      {{"--version"}, false, true},
      {{"--route", "r", "--version"}, false, true},
  };
  for (const Case& c : cases) {
    const Parsed p = parse(c.words);
    ASSERT_TRUE(p.options) << c.words.front() << ": " << p.error;
    EXPECT_EQ(p.options->help, c.help) << c.words.front();
    EXPECT_EQ(p.options->version, c.version) << c.words.front();
  }
}

TEST(HeadlessArguments, ReadsADrive) {
  const Parsed p =
      parse({"--data", "d", "--route", "r.dat", "--vehicle", "v.dat", "--vehicle-dir", "cars", "--start-station", "2",
             "--script", "s.txt", "--seconds", "12.5", "--trace", "t.csv", "--trace-every", "30", "--bench"});
  ASSERT_TRUE(p.options) << p.error;
  const RunOptions& o = *p.options;
  EXPECT_EQ(o.dataDirectory, "d");
  EXPECT_EQ(o.routeFile, "r.dat");
  EXPECT_EQ(o.vehicleFile, "v.dat");
  EXPECT_EQ(o.vehicleDirectory, "cars");
  EXPECT_EQ(o.startStation, 2);
  EXPECT_EQ(o.scriptFile, "s.txt");
  EXPECT_EQ(o.seconds, 12.5L);
  EXPECT_EQ(o.traceFile, "t.csv");
  EXPECT_EQ(o.traceEvery, 30);
  EXPECT_TRUE(o.bench);
  EXPECT_FALSE(o.help || o.version);
}

TEST(HeadlessArguments, ErrorsNameTheProblem) {
  const std::vector<std::string> drive = {"--data", "d", "--route", "r", "--vehicle", "v"};
  const auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), drive.begin(), drive.end());
    return more;
  };
  struct Case {
    std::vector<std::string> words;
    std::string error;
  };
  const Case cases[] = {
      {with({"--bogus"}), "unknown option --bogus"},  // not "needs a value"
      {with({"--bogus", "x"}), "unknown option --bogus"},
      {with({"-x"}), "unknown option -x"},
      {with({"--seconds"}), "--seconds needs a value"},
      {with({"--seconds", "ten"}), "--seconds: not a number: ten"},
      {with({"--seconds", "-1"}), "--seconds must not be negative"},
      {with({"--trace-every", "0"}), "--trace-every must be 1 or more"},
      {{"--data", "d", "--route", "r"}, UsageText},
      {{}, UsageText},
  };
  for (const Case& c : cases) {
    const Parsed p = parse(c.words);
    EXPECT_FALSE(p.options) << c.error;
    EXPECT_EQ(p.error, c.error);
  }
}

}  // namespace
}  // namespace cab::headless
