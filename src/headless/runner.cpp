#include "headless/runner.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <vector>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/data/data_error.h"
#include "core/input/key_codes.h"
#include "core/input/keyboard.h"
#include "core/shell/drive.h"
#include "headless/headless_platform.h"
#include "headless/script.h"
#include "headless/trace.h"

namespace cab::headless {

namespace {

using SteadyClock = std::chrono::steady_clock;

long double elapsedUs(SteadyClock::time_point since) {
  return std::chrono::duration<long double, std::micro>(SteadyClock::now() - since).count();
}

long double percentile(std::vector<long double> values, long double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(p * static_cast<long double>(values.size() - 1) + 0.5L);
  return values[std::min(index, values.size() - 1)];
}

// Returns false when the action ends the run.
bool perform(Drive& drive, const ScriptAction& a) {
  switch (a.kind) {
    case ActionKind::Char:
      AsciiDown(drive, a.character);
      break;
    case ActionKind::Down:
      keydowns(drive, a.keyCode, drive.keys.isDown(vk::Shift));
      break;
    case ActionKind::Up:
      keyups(drive, a.keyCode);
      break;
    case ActionKind::Wheel:
      if (a.wheelUp)
        WheelU(drive);
      else
        WheelD(drive);
      break;
    case ActionKind::Pause:
      if (drive.timer1Enabled()) drive.start1Click();
      break;
    case ActionKind::Resume:
      if (!drive.timer1Enabled()) drive.start1Click();
      break;
    case ActionKind::Move:
      drive.StationClick(a.number);
      break;
    case ActionKind::Save:
    case ActionKind::Load:
      break;
    case ActionKind::End:
      return false;
  }
  return true;
}

void printHalt(const HaltError& e, std::ostream& err) {
  for (const auto& text : e.messages()) err << "halt: " << text << '\n';
}

}  // namespace

int runDrive(const RunOptions& options, std::ostream& out, std::ostream& err) {
  Script script;
  if (!options.scriptFile.empty()) {
    std::ifstream in(options.scriptFile);
    if (!in) {
      err << "cannot read script " << options.scriptFile << '\n';
      return 2;
    }
    try {
      script = parseScript(in);
    } catch (const std::runtime_error& e) {
      err << e.what() << '\n';
      return 2;
    }
  }
  std::ofstream trace;
  if (!options.traceFile.empty()) {
    trace.open(options.traceFile);
    if (!trace) {
      err << "cannot write trace " << options.traceFile << '\n';
      return 2;
    }
    writeTraceHeader(trace);
  }

  VirtualClock clock;
  StderrDialogs dialogs;
  MemorySettingsStore settings;
  SilentStatus status;
  NullSurface surface;
  PictureDecoder pictures;
  FfmpegVideoSource video;
  Drive* drivePtr = nullptr;
  HeadlessWindow window([&] { drivePtr->FormCloseQuery(); });
  DriveRequest request{options.routeFile, options.vehicleDirectory, options.vehicleFile, options.startStation, 999};
  Drive drive(DataDirectory(options.dataDirectory),
              DrivePlatform{dialogs, settings, clock, status, surface, window, pictures, video}, request);
  drivePtr = &drive;

  std::vector<long double> frameUs, tickUs;
  long double loadMs = 0;
  try {
    const auto loadStart = SteadyClock::now();
    drive.FormCreate();
    loadMs = elapsedUs(loadStart) / 1000;

    long long endMs = options.seconds ? static_cast<long long>(*options.seconds * 1000 + 0.5L)
                                      : (script.actions.empty() ? 0 : script.actions.back().atMs);
    std::size_t nextAction = 0;
    long long nextTickMs = -1;
    long long frames = 0;
    bool ended = false;
    for (long long t = 0; t <= endMs && !ended && !drive.closed(); ++t) {
      clock.setMs(t);
      while (nextAction < script.actions.size() && script.actions[nextAction].atMs <= t)
        if (!perform(drive, script.actions[nextAction++])) ended = true;
      if (ended || drive.closed()) break;

      const long double lastFrame = drive.timing.lastFrame;
      const auto frameStart = SteadyClock::now();
      drive.AppIdle();
      if (drive.timing.lastFrame != lastFrame) {
        frameUs.push_back(elapsedUs(frameStart));
        if (trace.is_open() && frames % options.traceEvery == 0) writeTraceRow(trace, t, drive);
        ++frames;
      }
      if (drive.closed()) break;

      // Timer1: a tick 100 ms after it was switched on, then every 100 ms.
      if (!drive.timer1Enabled()) {
        nextTickMs = -1;
      } else if (nextTickMs < 0) {
        nextTickMs = t + 100;
      } else if (t >= nextTickMs) {
        nextTickMs += 100;
        const auto tickStart = SteadyClock::now();
        drive.Timer1Timer();
        tickUs.push_back(elapsedUs(tickStart));
      }
    }
    if (!drive.closed()) drive.FormCloseQuery();
  } catch (const HaltError& e) {
    printHalt(e, err);
    return 2;
  }

  if (options.bench)
    out << "frames=" << frameUs.size() << " ticks=" << tickUs.size() << " load_ms=" << loadMs
        << " frame_us_median=" << percentile(frameUs, 0.5L) << " frame_us_p99=" << percentile(frameUs, 0.99L)
        << " tick_us_median=" << percentile(tickUs, 0.5L) << " tick_us_p99=" << percentile(tickUs, 0.99L) << '\n';
  return 0;
}

std::optional<RunOptions> parseArguments(int argc, char** argv, std::string& error) {
  RunOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return std::nullopt;
      }
      return std::string(argv[++i]);
    };
    auto number = [&](const std::string& text, long double& out) {
      try {
        std::size_t used = 0;
        out = std::stold(text, &used);
        if (used != text.size()) throw std::invalid_argument(text);
        return true;
      } catch (const std::logic_error&) {
        error = arg + ": not a number: " + text;
        return false;
      }
    };
    if (arg == "--bench") {
      o.bench = true;
      continue;
    }
    std::string* target = nullptr;
    if (arg == "--data")
      target = &o.dataDirectory;
    else if (arg == "--route")
      target = &o.routeFile;
    else if (arg == "--vehicle")
      target = &o.vehicleFile;
    else if (arg == "--vehicle-dir")
      target = &o.vehicleDirectory;
    else if (arg == "--script")
      target = &o.scriptFile;
    else if (arg == "--trace")
      target = &o.traceFile;
    auto v = value();
    if (!v) return std::nullopt;
    if (target) {
      *target = *v;
      continue;
    }
    long double n = 0;
    if (arg != "--start-station" && arg != "--seconds" && arg != "--trace-every") {
      error = "unknown option " + arg;
      return std::nullopt;
    }
    if (!number(*v, n)) return std::nullopt;
    if (arg == "--seconds") {
      if (!(n >= 0)) return error = "--seconds must not be negative", std::nullopt;
      o.seconds = n;
    } else if (arg == "--start-station") {
      o.startStation = static_cast<int>(n);
    } else {
      if (n < 1) return error = "--trace-every must be 1 or more", std::nullopt;
      o.traceEvery = static_cast<int>(n);
    }
  }
  if (o.dataDirectory.empty() || o.routeFile.empty() || o.vehicleFile.empty()) {
    error =
        "usage: cabview-headless --data DIR --route FILE --vehicle FILE [--vehicle-dir DIR] [--start-station N] "
        "[--script FILE] [--seconds S] [--trace FILE.csv] [--trace-every N] [--bench]";
    return std::nullopt;
  }
  return o;
}

}  // namespace cab::headless
