#pragma once

#include <ostream>

namespace cab {
class Drive;
}

namespace cab::headless {

// The trace: a CSV header, then one row per traced frame. Columns are only
// ever added at the end.
void writeTraceHeader(std::ostream& out);
void writeTraceRow(std::ostream& out, long long tMs, const Drive& drive);

}  // namespace cab::headless
