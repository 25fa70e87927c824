#include "core/presentation/info_text/information_lines.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/info_text/info_labels_for_tests.h"

namespace cab {
namespace {

constexpr long double Here = 100000;  // cm

struct LinesCase {
  const char* name;
  std::function<void(InformationInputs&)> setup;
  const char* limitText;
  const char* limitText2;
};

// The first case that applies writes the lines; the pattern's distance leaves
// out its 10 m margin and rounds ties to even.
TEST(InformationLines, FirstApplyingCaseWritesTheLines) {
  const auto pattern = [](int speed, long double ahead, long double brakeSpeed) {
    return PatternAhead{speed, Here + ahead, brakeSpeed};
  };
  const LinesCase cases[] = {
      {"nothing ahead", [](InformationInputs&) {}, "", ""},
      {"stop pattern, moving", [&](InformationInputs& in) { in.pattern = pattern(1, 5000, 0); }, "I2", ""},
      {"stop pattern wins over a limit",
       [&](InformationInputs& in) {
         in.pattern = pattern(1, 5000, 0);
         in.limit = SpeedAhead{45, 283};
         in.followingLimit = 30;
       },
       "I2", ""},
      {"stop pattern at walking pace gives way",
       [&](InformationInputs& in) {
         in.speed = 1;
         in.pattern = pattern(1, 5000, 0);
         in.limit = SpeedAhead{45, 283};
       },
       "45km/h I4283m", ""},
      {"stop pattern behind the train", [&](InformationInputs& in) { in.pattern = pattern(1, 0, 0); }, "", ""},
      {"10 km/h pattern near the brake pattern", [&](InformationInputs& in) { in.pattern = pattern(10, 51000, 69.9L); },
       "10km/h I3500m", ""},
      {"10 km/h pattern 30 km/h above", [&](InformationInputs& in) { in.pattern = pattern(10, 51000, 70); }, "", ""},
      {"10 km/h pattern at 10 km/h",
       [&](InformationInputs& in) {
         in.speed = 10;
         in.pattern = pattern(10, 51000, 20);
       },
       "", ""},
      {"other pattern speeds tell nothing", [&](InformationInputs& in) { in.pattern = pattern(25, 51000, 45); }, "",
       ""},
      {"pattern distance 2.5 m rounds to 2", [&](InformationInputs& in) { in.pattern = pattern(10, 1250, 50); },
       "10km/h I32m", ""},
      {"pattern distance 3.5 m rounds to 4", [&](InformationInputs& in) { in.pattern = pattern(10, 1350, 50); },
       "10km/h I34m", ""},
      {"limit ahead",
       [](InformationInputs& in) {
         in.limit = SpeedAhead{45, 283};
       },
       "45km/h I4283m", ""},
      {"limit and the one after",
       [](InformationInputs& in) {
         in.limit = SpeedAhead{45, 283};
         in.followingLimit = 30;
       },
       "45km/h I4283m", "I530km/h I7)"},
      {"limit wins over a check",
       [](InformationInputs& in) {
         in.limit = SpeedAhead{45, 283};
         in.check = SpeedAhead{25, 120};
       },
       "45km/h I4283m", ""},
      {"check ahead",
       [](InformationInputs& in) {
         in.check = SpeedAhead{25, 120};
       },
       "25km/h 照査まで120m", ""},
      {"check and the limit after",
       [](InformationInputs& in) {
         in.check = SpeedAhead{25, 120};
         in.followingLimit = 15;
       },
       "25km/h 照査まで120m", "I515km/h I6)"},
      {"a following limit alone tells nothing", [](InformationInputs& in) { in.followingLimit = 15; }, "", ""},
  };
  const auto labels = testing::numberedInfoLabels();
  for (const auto& c : cases) {
    InformationInputs in;
    in.speed = 40;
    in.position = Here;
    c.setup(in);
    UiText ui;
    ui.limitText = "old line";
    ui.limitText2 = "old line 2";
    informationLines(ui, in, labels);
    EXPECT_EQ(ui.limitText, c.limitText) << c.name;
    EXPECT_EQ(ui.limitText2, c.limitText2) << c.name;
  }
}

}  // namespace
}  // namespace cab
