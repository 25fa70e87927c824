#include "headless/runner.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include "backends/picture/picture_decoder.h"
#include "backends/qt/qt_platform.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/input/key_codes.h"
#include "core/shell/drive.h"
#include "headless/halt_lines.h"
#include "headless/headless_platform.h"
#include "headless/mixer_advance.h"
#include "headless/offscreen_painting.h"
#include "headless/run_end.h"
#include "headless/script.h"
#include "headless/trace.h"
#include "headless/wave_file_writer.h"

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

// The stations of the "Move" menu, as a list for a message.
std::string menuStations(const Drive& drive) {
  std::string list;
  for (const MoveMenuItem& item : drive.moveMenu) list += (list.empty() ? "" : ", ") + std::to_string(item.station);
  return list.empty() ? "none" : list;
}

// Returns false when the action ends the run.
bool perform(Drive& drive, const ScriptAction& a, std::ostream& err) {
  using namespace drive_event;
  switch (a.kind) {
    case ActionKind::Char:
      drive.handle(Character{a.character});
      break;
    case ActionKind::Down:
      drive.handle(KeyDown{a.keyCode, drive.keys.isDown(vk::Shift)});
      break;
    case ActionKind::Up:
      drive.handle(KeyUp{a.keyCode});
      break;
    case ActionKind::Wheel:
      drive.handle(Wheel{a.wheelUp});
      break;
    case ActionKind::Pause:
      if (drive.timer1Enabled()) drive.handle(StartPause{});
      break;
    case ActionKind::Resume:
      if (!drive.timer1Enabled()) drive.handle(StartPause{});
      break;
    case ActionKind::Move:
      // A jump goes only to a station the "Move" menu offers, as in the window.
      if (!drive.handle(Move{a.number}))
        err << "message: move " << a.number << ": station " << a.number
            << " is not in the Move menu (it offers stations " << menuStations(drive) << ")\n";
      break;
    case ActionKind::Save:  // the script allows only the slots 1 to 3
      drive.handle(SaveState{a.number});
      break;
    case ActionKind::Load:
      drive.handle(LoadState{a.number});
      break;
    case ActionKind::End:
      return false;
  }
  return true;
}

// One drive on the virtual clock with what it measures and counts.
class VirtualRun {
 public:
  // afterMs runs after every millisecond of the drive; the mixer is brought
  // up to each millisecond before its events.
  VirtualRun(Drive& drive, VirtualClock& clock, MixerAdvance& sound, const RunOptions& options, const Script& script,
             std::ofstream& trace, std::ostream& err, std::function<void(long long)> afterMs)
      : drive_(drive),
        clock_(clock),
        sound_(sound),
        options_(options),
        script_(script),
        trace_(trace),
        err_(err),
        afterMs_(std::move(afterMs)),
        stops_(options.startStation) {}

  // Loads the drive and runs it until the time limit, the script or the
  // drive itself ends the run.
  EndReason run() {
    const auto loadStart = SteadyClock::now();
    drive_.FormCreate();
    loadMs_ = elapsedUs(loadStart) / 1000;
    const long long endMs = options_.seconds ? static_cast<long long>(*options_.seconds * 1000 + 0.5L)
                                             : (script_.actions.empty() ? 0 : script_.actions.back().atMs);
    for (long long t = 0; t <= endMs; ++t) {
      clock_.setMs(t);
      sound_.advanceTo(t);
      if (!performActionsDue(t)) return closeDrive(EndReason::Script);
      if (drive_.closed()) return EndReason::Closed;
      frame(t);
      if (drive_.closed()) return EndReason::Closed;
      tick(t);
      afterMs_(t);
    }
    return closeDrive(options_.seconds ? EndReason::Seconds : EndReason::Script);
  }

  int stops() const { return stops_.stops(); }

  void writeBenchLine(std::ostream& out) const {
    out << "frames=" << frameUs_.size() << " ticks=" << tickUs_.size() << " load_ms=" << loadMs_
        << " frame_us_median=" << percentile(frameUs_, 0.5L) << " frame_us_p99=" << percentile(frameUs_, 0.99L)
        << " tick_us_median=" << percentile(tickUs_, 0.5L) << " tick_us_p99=" << percentile(tickUs_, 0.99L) << '\n';
  }

 private:
  // False when an action ends the run.
  bool performActionsDue(long long t) {
    while (nextAction_ < script_.actions.size() && script_.actions[nextAction_].atMs <= t)
      if (!perform(drive_, script_.actions[nextAction_++], err_)) return false;
    return true;
  }

  void frame(long long t) {
    const long double lastFrame = drive_.timing.lastFrame;
    const auto frameStart = SteadyClock::now();
    drive_.handle(drive_event::Frame{});
    if (drive_.timing.lastFrame == lastFrame) return;
    frameUs_.push_back(elapsedUs(frameStart));
    if (trace_.is_open() && frames_ % options_.traceEvery == 0) writeTraceRow(trace_, t, drive_);
    ++frames_;
  }

  // Timer1: a tick 100 ms after it was switched on, then every 100 ms.
  void tick(long long t) {
    if (!drive_.timer1Enabled()) {
      nextTickMs_ = -1;
    } else if (nextTickMs_ < 0) {
      nextTickMs_ = t + 100;
    } else if (t >= nextTickMs_) {
      nextTickMs_ += 100;
      stops_.beforeTick(drive_.stationState.arrived);
      const auto tickStart = SteadyClock::now();
      drive_.handle(drive_event::Tick{});
      tickUs_.push_back(elapsedUs(tickStart));
      stops_.afterTick(drive_.stationState.arrived);
    }
  }

  EndReason closeDrive(EndReason reason) {
    if (drive_.closed()) return EndReason::Closed;
    drive_.FormCloseQuery();
    return reason;
  }

  Drive& drive_;
  VirtualClock& clock_;
  MixerAdvance& sound_;
  const RunOptions& options_;
  const Script& script_;
  std::ofstream& trace_;
  std::ostream& err_;
  std::function<void(long long)> afterMs_;
  StopCounter stops_;
  std::size_t nextAction_ = 0;
  long long nextTickMs_ = -1;
  long long frames_ = 0;
  std::vector<long double> frameUs_, tickUs_;
  long double loadMs_ = 0;
};

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
  // Options and saved states: in memory, or carried between runs in an INI file.
  MemorySettingsStore memorySettings;
  std::optional<qt::QtSettingsStore> iniSettings;
  if (!options.settingsFile.empty()) {
    iniSettings.emplace(QString::fromStdString(options.settingsFile));
    if (!iniSettings->usable())
      err << "message: " << options.settingsFile
          << " cannot be read as an INI file; the options take their defaults and the file is left as it is\n";
  }
  SettingsStore& settings = iniSettings ? static_cast<SettingsStore&>(*iniSettings) : memorySettings;
  SilentStatus status;
  // Snapshots and the benchmark paint every frame as the window does; other
  // runs compute the frames without drawing them.
  NullSurface nullSurface;
  std::optional<OffscreenPainting> painting;
  if (options.bench || !options.snapshots.empty()) painting.emplace();
  CabSurface& surface = painting ? static_cast<CabSurface&>(painting->canvas()) : nullSurface;
  SnapshotTaker snapshots(options.snapshots);
  const auto takeSnapshots = [&](long long t) {
    if (painting) snapshots.takeDue(t, painting->canvas().shownImage(), err);
  };
  PictureDecoder pictures;
  FfmpegVideoSource video;
  Drive* drivePtr = nullptr;
  HeadlessWindow window([&] { drivePtr->FormCloseQuery(); });
  DriveRequest request{options.routeFile, options.vehicleDirectory, options.vehicleFile, options.startStation,
                       std::nullopt};
  Drive drive(DataDirectory(options.dataDirectory),
              DrivePlatform{dialogs, settings, clock, status, surface, window, pictures, video}, request);
  drivePtr = &drive;

  // The protection's log lines go out as they appear.
  std::size_t logLinesShown = 0;
  const auto afterMs = [&](long long t) {
    takeSnapshots(t);
    const auto& log = drive.protection.log;
    for (; logLinesShown < log.size(); ++logLinesShown) out << "log: " << log[logLinesShown] << '\n';
  };
  // The drive's whole mix, from its first millisecond.
  WaveFileWriter recording;
  if (!options.audioOutFile.empty() && !recording.open(options.audioOutFile, drive.sound->outputRate())) {
    err << "cannot write audio " << options.audioOutFile << '\n';
    return 2;
  }
  MixerAdvance sound(*drive.sound, options.audioOutFile.empty() ? nullptr : &recording);
  VirtualRun run(drive, clock, sound, options, script, trace, err, afterMs);
  EndReason reason = EndReason::Halt;
  const bool ended = runReportingHalts([&] { reason = run.run(); }, err);
  if (ended) {
    // The picture at the end stands for the snapshots due at the last millisecond.
    takeSnapshots(clock.ms());
    snapshots.reportMissed(clock.ms(), err);
  }
  if (ended && options.bench) run.writeBenchLine(out);
  if (!options.audioOutFile.empty() && !recording.finish())
    err << "cannot write audio " << options.audioOutFile << '\n';
  writeEndLine(out, clock.ms(), drive.train.position, run.stops(), reason);
  return ended ? 0 : 2;
}

}  // namespace cab::headless
