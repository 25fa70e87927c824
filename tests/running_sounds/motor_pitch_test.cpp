// A whole drive on the demo content, heard through the runner's sound output:
// the traction motors' whine rises in pitch as the train gathers speed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "tests/demo/demo_set.h"
#include "tests/headless/run_headless.h"

namespace fs = std::filesystem;

namespace cab::testing {
namespace {

// The left side of a 16-bit stereo WAVE file, and its rate.
struct Heard {
  int rate = 0;
  std::vector<float> left;
};

Heard readWave(const fs::path& file) {
  const std::string b = readAll(file);
  const auto u32 = [&](std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
  };
  Heard h;
  for (std::size_t at = 12; at + 8 <= b.size(); at += 8 + u32(at + 4)) {
    if (b.compare(at, 4, "fmt ") == 0) h.rate = int(u32(at + 12));
    if (b.compare(at, 4, "data") != 0) continue;
    for (std::size_t i = at + 8; i + 4 <= b.size() && i < at + 8 + u32(at + 4); i += 4)
      h.left.push_back(
          float(std::int16_t(std::uint16_t(std::uint8_t(b[i])) | std::uint16_t(std::uint8_t(b[i + 1])) << 8)));
    break;
  }
  return h;
}

// The strongest frequency (Hz) between `low` and `high` in the 8192 samples
// from second `at`, to 2 Hz.
double spectralPeak(const Heard& h, double at, double low, double high) {
  constexpr std::size_t N = 8192;
  const std::size_t from = std::size_t(at * h.rate);
  if (from + N > h.left.size()) return 0;
  std::vector<double> windowed(N);
  for (std::size_t i = 0; i < N; ++i)
    windowed[i] = h.left[from + i] * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / (N - 1)));
  double best = 0, peak = 0;
  for (double f = low; f <= high; f += 2) {
    const double w = 2 * std::numbers::pi * f / h.rate;
    double re = 0, im = 0;
    for (std::size_t i = 0; i < N; ++i) {
      re += windowed[i] * std::cos(w * double(i));
      im += windowed[i] * std::sin(w * double(i));
    }
    if (re * re + im * im > best) {
      best = re * re + im * im;
      peak = f;
    }
  }
  return peak;
}

// The speed (km/h) at second `at` in the runner's trace.
double speedAt(const fs::path& trace, double at) {
  std::stringstream text(readAll(trace));
  std::string line;
  std::getline(text, line);
  std::size_t speedColumn = 0;
  {
    std::stringstream header(line);
    std::size_t k = 0;
    for (std::string name; std::getline(header, name, ','); ++k)
      if (name == "speed_kmh") speedColumn = k;
  }
  while (std::getline(text, line)) {
    std::vector<std::string> fields;
    std::stringstream row(line);
    for (std::string f; std::getline(row, f, ',');) fields.push_back(f);
    if (std::stod(fields.at(0)) >= at * 1000) return std::stod(fields.at(speedColumn));
  }
  return 0;
}

// The E231 leaves 霞野 under notch 4 once its doors have closed. Above the
// standing hum and the compressor, the loudest tone is its motors' whine, in
// step with the speed: twice as high at 45 km/h as at 12.
TEST(MotorPitch, TheWhineRisesWithTheSpeed) {
  const fs::path dir = fs::temp_directory_path() / ("cabview-motor-pitch-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "script.txt") << "0.5 char 5\n30 char 8\n30.2 char 8\n30.4 char 8\n30.6 char 8\n";
  const HeadlessResult run =
      runHeadless("--data " + quoted(demoDir()) + " --route line_Local_East1.dat --vehicle train_E231.dat --script " +
                  quoted(dir / "script.txt") + " --seconds 50 --trace " + quoted(dir / "trace.csv") + " --audio-out " +
                  quoted(dir / "drive.wav"));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const double slow = speedAt(dir / "trace.csv", 34), fast = speedAt(dir / "trace.csv", 48);
  ASSERT_GT(slow, 5);
  ASSERT_GT(fast, 3 * slow);
  const Heard heard = readWave(dir / "drive.wav");
  ASSERT_EQ(heard.rate, 44100);
  const double low = spectralPeak(heard, 34, 120, 1500), high = spectralPeak(heard, 48, 120, 1500);
  EXPECT_GT(low, 150) << "at " << slow << " km/h";
  EXPECT_GT(high, 1.6 * low) << "at " << fast << " km/h against " << low << " Hz at " << slow << " km/h";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace cab::testing
