// The title starts a new drive for every choice: nothing of one drive may
// reach the next but the options it writes when it closes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "core/shell/display_options_store.h"
#include "headless/trace.h"
#include "tests/title/demo_drive.h"

namespace cab {
namespace {

// One drive of 60 s on the demo's first route: the doors close at the first
// station after 30 s, then power and braking, with the trace of every tenth
// frame. `beforeClose` runs on the drive at its end.
std::string driveOnce(headless::MemorySettingsStore& store, const std::function<void(Drive&)>& beforeClose = {}) {
  testing::DemoDrive demo(store, "line_Local_East1.dat");
  Drive& d = demo.drive;
  std::ostringstream trace;
  headless::writeTraceHeader(trace);
  long long frames = 0;
  for (long long t = 0; t <= 60000; ++t) {
    demo.at(t);
    if (t == 500 || t == 50000) d.handle(drive_event::Character{'5'});  // brake released, then coasting
    if (t >= 30000 && t <= 30600 && t % 200 == 0) d.handle(drive_event::Character{'8'});
    if (t >= 50200 && t <= 50800 && t % 200 == 0) d.handle(drive_event::Character{'2'});
    const long double last = d.timing.lastFrame;
    d.handle(drive_event::Frame{});
    if (d.timing.lastFrame != last && frames++ % 10 == 0) headless::writeTraceRow(trace, t, d);
    if (t > 0 && t % 100 == 0) d.handle(drive_event::Tick{});
  }
  if (beforeClose) beforeClose(d);
  d.FormCloseQuery();
  return trace.str();
}

// The highest speed (km/h) of a trace.
double topSpeed(const std::string& trace) {
  std::istringstream rows(trace);
  std::string row;
  std::getline(rows, row);  // the header
  double top = 0;
  while (std::getline(rows, row)) {
    std::istringstream fields(row);
    std::string field;
    for (int column = 0; column <= 3; ++column) std::getline(fields, field, ',');  // speed_kmh
    top = std::max(top, std::stod(field));
  }
  return top;
}

TEST(RepeatedDrives, ASecondDriveRunsAsTheFirstAndReadsTheOptionsItWrote) {
  headless::MemorySettingsStore store;
  const std::string first = driveOnce(store, [](Drive& d) { d.handle(drive_event::DisplayMenu{DisplayItem::D1}); });
  // The first drive started from the defaults and wrote them with its one change.
  const DisplayOptions written = readDisplayOptions(store);
  EXPECT_EQ(written.Information, 0);
  EXPECT_EQ(written.Moji, 1);
  const std::string second = driveOnce(store);
  EXPECT_GT(topSpeed(first), 20);
  EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace cab
