#include "core/presentation/info_text/commentary.h"

#include <gtest/gtest.h>

#include <vector>

namespace cab {
namespace {

struct TickCase {
  const char* result;
  const char* commentary;
  bool redraw;
};

// The commentary follows the advice only when the result changes, so the
// same advice held over many ticks draws the picture again only once.
TEST(Commentary, ChangesOnlyWithTheResult) {
  const std::vector<TickCase> ticks{
      {"", "", false},                   // no advice from the start
      {"0左側です", "左側です", true},   // new advice
      {"0左側です", "左側です", false},  // held: no redraw
      {"0", "", true},                   // advice without text clears the line
      {"0右側です", "右側です", true},
      {"", "", true},  // the advice ends
      {"", "", false},
  };
  UiText ui;
  std::string previous;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_EQ(updateCommentary(ui, ticks[i].result), ticks[i].redraw) << "tick " << i;
    EXPECT_EQ(ui.commentary, ticks[i].commentary) << "tick " << i;
    EXPECT_EQ(ui.adviceResult, ticks[i].result) << "tick " << i;
    EXPECT_EQ(ui.adviceResultPrev, previous) << "tick " << i;
    previous = ticks[i].result;
  }
}

}  // namespace
}  // namespace cab
