#include "headless/arguments.h"

#include <stdexcept>

namespace cab::headless {

const char* const UsageText =
    "usage: cabview-headless --data DIR --route FILE --vehicle FILE [--vehicle-dir DIR] [--start-station N]\n"
    "                        [--script FILE] [--seconds S] [--trace FILE.csv] [--trace-every N] [--bench]\n"
    "                        [--snapshot S FILE.png]... [--audio-out FILE.wav] [--settings FILE.ini]\n"
    "       cabview-headless --help | --version\n"
    "\n"
    "Drives without a display on a virtual clock. A script has one action a line,\n"
    "\"<seconds> <action> [argument]\": char C, down KEY, up KEY, wheel up|down, pause, resume,\n"
    "move N (a station of the Move menu), save N, load N, end; \"#\" starts a comment.\n"
    "The run ends at --seconds, else after the script's last action, or when the drive\n"
    "closes itself, with the line \"end: t_s=X position_cm=X stops=N reason=seconds|script|closed|halt\".\n"
    "--snapshot saves the cab surface shown at simulated second S as a PNG picture (repeatable).\n"
    "--audio-out writes the whole sound of the drive, mixed on the virtual clock, as a 16-bit\n"
    "stereo WAVE file at 44100 Hz.\n"
    "--settings keeps the display options and the saved states (save N, load N) in an INI\n"
    "file, as the window program keeps them in its own, so they carry from one run to the next.\n"
    "Exit status 0 when the run ends, 2 on a halt (\"halt: \" lines) or a bad command line.";

namespace {

bool readNumber(const std::string& option, const std::string& text, long double& out, std::string& error) {
  try {
    std::size_t used = 0;
    out = std::stold(text, &used);
    if (used != text.size()) throw std::invalid_argument(text);
    return true;
  } catch (const std::logic_error&) {
    error = option + ": not a number: " + text;
    return false;
  }
}

// Stores the value of a numeric option.
bool setNumber(RunOptions& o, const std::string& option, long double n, std::string& error) {
  if (option == "--seconds") {
    if (!(n >= 0)) return error = "--seconds must not be negative", false;
    o.seconds = n;
  } else if (option == "--start-station") {
    o.startStation = static_cast<int>(n);
  } else {
    if (n < 1) return error = "--trace-every must be 1 or more", false;
    o.traceEvery = static_cast<int>(n);
  }
  return true;
}

}  // namespace

std::optional<RunOptions> parseArguments(int argc, char** argv, std::string& error) {
  RunOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      o.help = true;
      return o;
    }
    if (arg == "--version") {
      o.version = true;
      return o;
    }
    if (arg == "--bench") {
      o.bench = true;
      continue;
    }
    if (arg == "--snapshot") {
      if (i + 2 >= argc) return error = "--snapshot needs a time and a file", std::nullopt;
      Snapshot shot;
      if (!readNumber(arg, argv[i + 1], shot.seconds, error)) return std::nullopt;
      if (!(shot.seconds >= 0)) return error = "--snapshot time must not be negative", std::nullopt;
      shot.file = argv[i + 2];
      o.snapshots.push_back(shot);
      i += 2;
      continue;
    }
    std::string* text = nullptr;
    if (arg == "--data")
      text = &o.dataDirectory;
    else if (arg == "--route")
      text = &o.routeFile;
    else if (arg == "--vehicle")
      text = &o.vehicleFile;
    else if (arg == "--vehicle-dir")
      text = &o.vehicleDirectory;
    else if (arg == "--script")
      text = &o.scriptFile;
    else if (arg == "--trace")
      text = &o.traceFile;
    else if (arg == "--audio-out")
      text = &o.audioOutFile;
    else if (arg == "--settings")
      text = &o.settingsFile;
    else if (arg != "--start-station" && arg != "--seconds" && arg != "--trace-every")
      return error = "unknown option " + arg, std::nullopt;
    if (i + 1 >= argc) return error = arg + " needs a value", std::nullopt;
    const std::string value = argv[++i];
    if (text) {
      *text = value;
      continue;
    }
    long double n = 0;
    if (!readNumber(arg, value, n, error) || !setNumber(o, arg, n, error)) return std::nullopt;
  }
  if (o.dataDirectory.empty() || o.routeFile.empty() || o.vehicleFile.empty()) return error = UsageText, std::nullopt;
  return o;
}

}  // namespace cab::headless
