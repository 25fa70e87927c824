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
    EXPECT_GE(step.number, last) << step.name;  // a step of two parts has two rows of its number
    EXPECT_LE(step.number, 48) << step.name;
    EXPECT_NE(step.run, nullptr) << step.name;
    last = step.number;
    names.push_back(std::to_string(step.number) + " " + step.name);
  }
  const std::vector<std::string> expected{"1 section maximum speed",
                                          "2 preceding train leaves",
                                          "3 tick count",
                                          "4 speed and distance texts",
                                          "5 wheel squeal",
                                          "6 door-closed detection",
                                          "7 cab lamps",
                                          "8 clock text",
                                          "9 brake air sounds",
                                          "10 needle smoothing",
                                          "11 compressor",
                                          "12 attenuation zones",
                                          "13 route-placed sounds",
                                          "14 points sounds",
                                          "15 overrun announcement",
                                          "16 approach announcements",
                                          "17 Doppler sounds",
                                          "18 gradient",
                                          "19 signals",
                                          "20 road traffic lights",
                                          "21 cab signalling",
                                          "22 ATS bell",
                                          "23 pattern protection",
                                          "24 speed-limit approach",
                                          "24 speed checks",
                                          "25 stations",
                                          "26 vigilance device",
                                          "27 stop bell",
                                          "28 signs and level crossings",
                                          "29 rail noise",
                                          "30 motor sounds",
                                          "31 door-closing counter",
                                          "32 video switching",
                                          "33 diesel gears",
                                          "35 information lines",
                                          "36 other lamps and engine",
                                          "37 roll-back protection",
                                          "38 tunnels",
                                          "39 door lamps",
                                          "40 resistor-step sound",
                                          "41 caption",
                                          "42 stop-request lamp",
                                          "43 automatic door closing",
                                          "44 commentary",
                                          "46 call-out queue",
                                          "48 information labels"};
  EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace cab
