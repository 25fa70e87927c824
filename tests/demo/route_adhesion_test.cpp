// The route's adhesion coefficient limits what the wheels can transmit: the
// same start on a slippery copy of the east line gains much less speed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/demo/demo_set.h"
#include "tests/headless/run_headless.h"

namespace fs = std::filesystem;

namespace cab::testing {
namespace {

// A copy of the demo set (links to its files) whose East1 route has the given "[Friction]" line.
fs::path demoWithFriction(const std::string& friction) {
  const fs::path dir = fs::temp_directory_path() / ("cabview-friction-" + friction + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const auto& entry : fs::directory_iterator(demoDir()))
    if (entry.path().filename() != "line_Local_East1.dat")
      fs::create_symlink(entry.path(), dir / entry.path().filename());
  std::string route = readAll(demoDir() / "line_Local_East1.dat");
  const std::string key = "[Friction]\r\n";
  const auto at = route.find(key);
  EXPECT_NE(at, std::string::npos);
  const auto valueEnd = route.find('\n', at + key.size());
  route.replace(at + key.size(), valueEnd - (at + key.size()), friction + "\r");
  std::ofstream(dir / "line_Local_East1.dat", std::ios::binary) << route;
  return dir;
}

// The speed in the trace's last row of a start with notch 5 after the doors have closed.
double speedAfterTwentySeconds(const fs::path& data) {
  const fs::path script = data / "notch5.txt";
  std::ofstream(script) << "0.5 char 5\n5 char 8\n5.2 char 8\n5.4 char 8\n5.6 char 8\n5.8 char 8\n";
  const fs::path trace = data / "trace.csv";
  const auto run =
      runHeadless("--data " + quoted(data) + " --route line_Local_East1.dat --vehicle train_E231.dat --script " +
                  quoted(script) + " --seconds 20 --trace " + quoted(trace) + " --trace-every 60");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  std::stringstream text(readAll(trace));
  std::string header, line, last;
  std::getline(text, header);
  while (std::getline(text, line)) last = line;
  std::stringstream names(header), fields(last);
  for (std::string name, field; std::getline(names, name, ',') && std::getline(fields, field, ',');)
    if (name == "speed_kmh") return std::stod(field);
  ADD_FAILURE() << "no speed column";
  return 0;
}

TEST(RouteAdhesion, LowFrictionLimitsTheAcceleration) {
  const fs::path dry = demoWithFriction("0.30"), slippery = demoWithFriction("0.05");
  const double drySpeed = speedAfterTwentySeconds(dry);
  const double slipperySpeed = speedAfterTwentySeconds(slippery);
  EXPECT_GT(drySpeed, 20);
  EXPECT_LT(slipperySpeed, drySpeed * 0.7) << "dry " << drySpeed << " km/h";
  fs::remove_all(dry);
  fs::remove_all(slippery);
}

}  // namespace
}  // namespace cab::testing
