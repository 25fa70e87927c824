#pragma once

#include <ostream>

#include "headless/arguments.h"

namespace cab::headless {

// Runs one drive on the virtual clock. Returns the exit status: 0 when the run
// ends, 2 on a halt ("halt: <text>" lines on `err`). Every run that gets to
// the drive closes with an "end: " line on `out`.
int runDrive(const RunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cab::headless
