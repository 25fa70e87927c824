// The demo's 45 km/h limit on the east line, driven by the runner: the
// pictures of the cab surface show the approach sign blinking before the
// limit and the limit sign standing inside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "backends/picture/picture_decoder.h"
#include "core/common/rounding.h"
#include "tests/demo/demo_set.h"
#include "tests/headless/run_headless.h"

namespace fs = std::filesystem;

namespace cab::testing {
namespace {

constexpr const char* Route = "line_Local_East1.dat";

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream s(line);
  for (std::string f; std::getline(s, f, ',');) out.push_back(f);
  return out;
}

Picture decode(const fs::path& file) {
  auto result = PictureDecoder().decode(readAll(file));
  EXPECT_TRUE(std::holds_alternative<Picture>(result)) << file;
  return std::holds_alternative<Picture>(result) ? std::get<Picture>(result) : Picture();
}

bool close(std::uint32_t a, std::uint32_t b) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8) return false;
  return true;
}

// The limit sign's pictures and where the sprite stands on the cab surface.
struct LimitSign {
  Picture cells;
  int size = 0;
  int x = 0, y = 0;

  // The sign's picture that the surface shows at its place, -1 for none: the
  // one cell whose drawn pixels (those not of the key colour) all appear.
  int shownOn(const Picture& surface) const {
    const std::uint32_t key = cells.at(0, cells.height - 1);
    int shown = -1;
    for (int k = 0; k < cells.width / size; ++k) {
      int drawn = 0, matching = 0;
      for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
          const std::uint32_t c = cells.at(k * size + px, py);
          if (close(c, key)) continue;
          ++drawn;
          matching += close(c, surface.at(x + px, y + py));
        }
      if (matching >= drawn * 98 / 100) {
        EXPECT_EQ(shown, -1) << "cells " << shown << " and " << k << " both match";
        shown = k;
      }
    }
    return shown;
  }
};

LimitSign limitSign() {
  const auto settings = lines(demoDir() / "vantorel.dat");
  const auto disp = after(settings, "[Disp]");
  const long double w = std::stoi(disp.at(2)), h = std::stoi(disp.at(3));
  const auto signs = after(lines(demoDir() / Route), "[SignImageList]");
  const auto line = fields(signs.at(5));  // the sixth line: the limit sign
  std::string file = line.at(0);
  for (char& c : file)
    if (c == '\\') c = '/';
  return {decode(demoDir() / file), std::stoi(line.at(1)), static_cast<int>(Round(0.825L * w)),
          static_cast<int>(Round(0.35L * h))};
}

struct TraceRow {
  double tMs;
  int frame;
};

std::string commonArgs(double seconds) {
  return "--data " + quoted(demoDir()) + " --route " + Route + " --vehicle train_E231.dat --script " +
         quoted(fs::path(CABVIEW_FIXTURES) / "demo_drives" / "east1_speed_limit.txt") +
         " --start-station 1 --seconds " + std::to_string(seconds);
}

std::vector<TraceRow> traceOf(double seconds) {
  const fs::path file = fs::temp_directory_path() / ("cabview-limit-trace-" + std::to_string(::getpid()) + ".csv");
  const auto run = runHeadless(commonArgs(seconds) + " --trace " + quoted(file));
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  std::stringstream text(readAll(file));
  fs::remove(file);
  std::string line;
  std::getline(text, line);
  std::map<std::string, std::size_t> column;
  for (const std::string& name : fields(line)) column.emplace(name, column.size());
  std::vector<TraceRow> rows;
  while (std::getline(text, line)) {
    const auto f = fields(line);
    rows.push_back({std::stod(f.at(column.at("t_ms"))), std::stoi(f.at(column.at("frame")))});
  }
  return rows;
}

// The simulated second the train first reaches `frame`.
double secondAtFrame(const std::vector<TraceRow>& rows, int frame) {
  for (const TraceRow& r : rows)
    if (r.frame >= frame) return r.tMs / 1000;
  ADD_FAILURE() << "the drive never reaches frame " << frame;
  return 0;
}

// The pictures around the limit's start; its end is left to the drive's own
// tests, since the next station's signal head stands over the sign there.
TEST(DemoLimitSign, ApproachSignBlinksBeforeTheLimitAndStandsInIt) {
  const auto limitRow = fields(after(lines(demoDir() / Route), "[SpeedLimit]").at(0));
  const int signImage = std::stoi(limitRow.at(1)), positionFrame = std::stoi(limitRow.at(3));
  const LimitSign sign = limitSign();
  ASSERT_GT(sign.size, 0);

  // The drive runs at about 42 km/h there: the sign warns 84 m, some 7 s,
  // before the limit. Pictures every 0.2 s from 4 s to 1 s before it, and
  // from 1 s to 2.4 s after.
  const double limitAt = secondAtFrame(traceOf(90), positionFrame);
  ASSERT_GT(limitAt, 4);
  struct Shot {
    bool beforeTheLimit;
    fs::path file;
  };
  std::vector<Shot> shots;
  std::string args = commonArgs(limitAt + 3);
  for (int k = 0; k < 24; ++k) {
    const bool before = k < 16;
    const double t = before ? limitAt - 4 + 0.2 * k : limitAt + 1 + 0.2 * (k - 16);
    shots.push_back({before, fs::temp_directory_path() /
                                 ("cabview-limit-" + std::to_string(::getpid()) + "-" + std::to_string(k) + ".png")});
    args += " --snapshot " + std::to_string(t) + " " + quoted(shots.back().file);
  }
  const auto run = runHeadless(args);
  ASSERT_EQ(run.exitStatus, 0) << run.err;

  std::vector<int> approach, section;
  for (const Shot& shot : shots) {
    (shot.beforeTheLimit ? approach : section).push_back(sign.shownOn(decode(shot.file)));
    fs::remove(shot.file);
  }
  // Blinking: lit and dark in turn, and only the limit's own sign.
  const auto count = [&](int pattern) { return std::count(approach.begin(), approach.end(), pattern); };
  EXPECT_GE(count(signImage), 4);
  EXPECT_GE(count(-1), 4);
  EXPECT_EQ(count(signImage) + count(-1), static_cast<long>(approach.size()));
  EXPECT_EQ(section, std::vector<int>(8, signImage));
}

}  // namespace
}  // namespace cab::testing
