#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace cab::headless {

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
};

// Parses the command line; an error text on failure.
std::optional<RunOptions> parseArguments(int argc, char** argv, std::string& error);

// Runs one drive on the virtual clock. Returns the exit status: 0 when the run
// ends, 2 on a halt ("halt: <text>" lines on `err`).
int runDrive(const RunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cab::headless
