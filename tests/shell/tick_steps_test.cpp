#include "core/shell/tick_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cab {
namespace {

// The tick's order is the railway's: a step reads what the steps before it
// wrote in the same tick (the lamps read the stations' door state, the gears
// the doors' interlock), so the table must keep the numbered order.
TEST(TickSteps, RunInTheirNumberedOrder) {
  std::vector<std::string> names;
  int last = 0;
  for (const TickStep& step : tickSteps()) {
    EXPECT_GT(step.number, last) << step.name;
    EXPECT_LE(step.number, 48) << step.name;
    EXPECT_NE(step.run, nullptr) << step.name;
    last = step.number;
    names.push_back(std::to_string(step.number) + " " + step.name);
  }
  const std::vector<std::string> expected{"1 section maximum speed",
                                          "3 tick count",
                                          "4 speed and distance texts",
                                          "6 door-closed detection",
                                          "7 cab lamps",
                                          "8 clock text",
                                          "10 needle smoothing",
                                          "11 compressor",
                                          "25 stations",
                                          "27 stop bell",
                                          "31 door-closing counter",
                                          "32 video switching",
                                          "33 diesel gears",
                                          "35 information lines",
                                          "36 other lamps and engine",
                                          "39 door lamps",
                                          "41 caption",
                                          "43 automatic door closing",
                                          "44 commentary",
                                          "48 information labels"};
  EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace cab
