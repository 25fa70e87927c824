#include "headless/run_end.h"

#include <gtest/gtest.h>

#include <sstream>

namespace cab::headless {
namespace {

// Arrivals a tick accepts are stops; the start station's first stop, flags
// already set (a jump's own arrival) and cleared flags are not.
TEST(StopCounter, CountsArrivalsAcceptedOnTicks) {
  StopCounter stops(2);
  const auto tick = [&](std::vector<bool> before, std::vector<bool> after) {
    stops.beforeTick(before);
    stops.afterTick(after);
    return stops.stops();
  };
  EXPECT_EQ(tick({false, false, false, false}, {true, false, true, false}), 0);  // stations 0 and the start 2
  EXPECT_EQ(tick({true, false, true, false}, {true, true, true, false}), 1);
  EXPECT_EQ(tick({true, true, true, false}, {true, true, true, false}), 1);      // still standing there
  EXPECT_EQ(tick({false, false, false, true}, {false, false, false, true}), 1);  // set by a jump, not a tick
  EXPECT_EQ(tick({false, false, false, false}, {false, true, false, true}), 3);  // after a jump cleared them
}

TEST(EndLine, NamesTimePositionStopsAndReason) {
  struct Case {
    long long tMs;
    long double position;
    int stops;
    EndReason reason;
    std::string line;
  };
  const Case cases[] = {
      {600000, 123456.78901L, 3, EndReason::Seconds,
       "end: t_s=600.000 position_cm=123456.7890 stops=3 reason=seconds\n"},
      {1500, 0, 0, EndReason::Script, "end: t_s=1.500 position_cm=0.0000 stops=0 reason=script\n"},
      {327001, -12.5L, 1, EndReason::Closed, "end: t_s=327.001 position_cm=-12.5000 stops=1 reason=closed\n"},
      {0, 1000, 0, EndReason::Halt, "end: t_s=0.000 position_cm=1000.0000 stops=0 reason=halt\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    writeEndLine(out, c.tMs, c.position, c.stops, c.reason);
    EXPECT_EQ(out.str(), c.line);
  }
}

}  // namespace
}  // namespace cab::headless
