// The programs' command lines: usage and version without a display, and what
// cabview says when it finds no display.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/headless/run_headless.h"

namespace cab {
namespace {

using testing::runCommand;

// Runs a program as from a terminal without any display.
testing::CommandResult runWithoutDisplay(const std::string& program, const std::string& arguments) {
  return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + program + " " + arguments);
}

TEST(ProgramCommandLines, HelpAndVersionNeedNoDisplay) {
  struct Case {
    const char* program;
    const char* arguments;
    std::string outStart;
  };
  const Case cases[] = {
      {CABVIEW_GUI, "--help", "usage: cabview [DATA_DIR]"},
      {CABVIEW_GUI, "-h", "usage: cabview [DATA_DIR]"},
      {CABVIEW_GUI, "--version", "cabview " CABVIEW_VERSION "\n"},
      {CABVIEW_DEMO, "--help", "usage: cabview-demo OUT_DIR"},
      {CABVIEW_DEMO, "-h", "usage: cabview-demo OUT_DIR"},
      {CABVIEW_DEMO, "--version", "cabview-demo " CABVIEW_VERSION "\n"},
      {CABVIEW_BENCH, "--help", "usage: cabview-bench "},
      {CABVIEW_BENCH, "-h", "usage: cabview-bench "},
      {CABVIEW_BENCH, "--version", "cabview-bench " CABVIEW_VERSION "\n"},
  };
  for (const Case& c : cases) {
    const auto r = runWithoutDisplay(c.program, c.arguments);
    EXPECT_EQ(r.exitStatus, 0) << c.program << " " << c.arguments << "\n" << r.err;
    EXPECT_EQ(r.out.rfind(c.outStart, 0), 0u) << c.program << " " << c.arguments << "\n" << r.out;
    EXPECT_EQ(r.err, "") << c.program << " " << c.arguments;
  }
}

TEST(ProgramCommandLines, CabviewWithoutADisplaySaysSoAndPointsToTheHeadlessRunner) {
  const auto r = runWithoutDisplay(CABVIEW_GUI, "/nonexistent");
  EXPECT_EQ(r.exitStatus, 1) << r.err;  // not a crash of the platform plugin
  EXPECT_NE(r.err.find("no display found"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("cabview-headless"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

struct Parsed {
  std::optional<app::CommandLine> line;
  std::string error;
};

Parsed parse(QStringList words) {
  words.prepend("cabview");
  Parsed p;
  p.line = app::parseCommandLine(words, p.error);
  return p;
}

TEST(CabviewArguments, HelpVersionAndADrive) {
  struct Case {
    QStringList words;
    bool help, version;
  };
  const Case cases[] = {
      {{"--help"}, true, false},
      {{"-h"}, true, false},  // not a data directory named "-h"
      {{"data", "--help", "--bogus"}, true, false},
      {{"--version"}, false, true},
  };
  for (const Case& c : cases) {
    const Parsed p = parse(c.words);
    ASSERT_TRUE(p.line) << c.words.join(' ').toStdString() << ": " << p.error;
    EXPECT_EQ(p.line->help, c.help) << c.words.join(' ').toStdString();
    EXPECT_EQ(p.line->version, c.version) << c.words.join(' ').toStdString();
  }
  const Parsed drive = parse({"data", "--route", "r.dat", "--vehicle", "v.dat", "--vehicle-dir", "cars", "--grab",
                              "a.png", "--grab-after", "5"});
  ASSERT_TRUE(drive.line) << drive.error;
  EXPECT_EQ(drive.line->dataDirectory, "data");
  EXPECT_EQ(drive.line->request.routeFile, "r.dat");
  EXPECT_EQ(drive.line->request.vehicleFile, "v.dat");
  EXPECT_EQ(drive.line->request.vehicleDirectory, "cars");
  ASSERT_EQ(drive.line->grabs.size(), 1u);
  EXPECT_EQ(drive.line->grabs[0].afterSeconds, 5);
  EXPECT_FALSE(drive.line->help || drive.line->version);
}

TEST(CabviewArguments, TheTitleStartsUnlessADriveIsNamed) {
  const struct {
    QStringList words;
    bool direct;
  } cases[] = {{{}, false},
               {{"data"}, false},
               {{"data", "--grab", "a.png"}, false},
               {{"--route", "r.dat"}, true},
               {{"--vehicle", "v.dat"}, true},
               {{"data", "--vehicle-dir", "cars"}, true}};
  for (const auto& c : cases) {
    const Parsed p = parse(c.words);
    ASSERT_TRUE(p.line) << p.error;
    EXPECT_EQ(p.line->directDrive, c.direct) << c.words.join(' ').toStdString();
  }
}

TEST(CabviewArguments, ErrorsNameTheProblem) {
  struct Case {
    QStringList words;
    std::string error;
  };
  const Case cases[] = {
      {{"-x"}, "unknown option -x"},
      {{"--bogus"}, "unknown option --bogus"},
      {{"--route"}, "--route needs a value"},
      {{"one", "two"}, "unexpected argument two"},
      {{"--grab-after", "3"}, "--grab-after follows a --grab"},
      {{"--grab", "a.png", "--grab-after", "soon"}, "--grab-after takes seconds"},
  };
  for (const Case& c : cases) {
    const Parsed p = parse(c.words);
    EXPECT_FALSE(p.line) << c.error;
    EXPECT_EQ(p.error, c.error);
  }
}

TEST(CabviewArguments, ArgumentListReadsArgvWithoutAnApplication) {
  char program[] = "cabview", dir[] = "data", option[] = "--route", route[] = "r.dat";
  char* argv[] = {program, dir, option, route};
  EXPECT_EQ(app::argumentList(4, argv), QStringList({"cabview", "data", "--route", "r.dat"}));
}

}  // namespace
}  // namespace cab
