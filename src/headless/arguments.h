#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cab::headless {

// A picture of the cab surface to save: the one shown at that simulated second.
struct Snapshot {
  long double seconds = 0;
  std::string file;  // PNG
};

struct RunOptions {
  std::string dataDirectory;
  std::string routeFile;
  std::string vehicleFile;
  std::string vehicleDirectory;
  int startStation = 0;
  std::string scriptFile;
  std::optional<long double> seconds;
  std::string traceFile;
  int traceEvery = 1;
  bool bench = false;
  std::vector<Snapshot> snapshots;  // in command-line order
  std::string audioOutFile;         // --audio-out: the drive's whole mix as a 16-bit stereo WAVE file
  std::string settingsFile;         // --settings: options and saved states in this INI file, not in memory
  bool help = false;                // --help, -h: print the usage text instead of driving
  bool version = false;             // --version
};

// The usage text of cabview-headless, several lines without a final newline.
extern const char* const UsageText;

// Parses the command line; an error text on failure. --help, -h and
// --version stand alone: the arguments after them are not read.
std::optional<RunOptions> parseArguments(int argc, char** argv, std::string& error);

}  // namespace cab::headless
