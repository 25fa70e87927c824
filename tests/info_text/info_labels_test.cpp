#include "core/presentation/info_text/info_labels.h"

#include <gtest/gtest.h>

namespace cab {
namespace {

UiText shownTexts() {
  UiText ui;
  ui.reverserText = "前";
  ui.powerText = "P3";
  ui.brakeText = "緩め";
  ui.gearText = "直結";
  ui.stationText = "ただいま 東駅";
  ui.doorText = "左側";
  ui.clockText = "10:00:00";
  ui.label8Text = "停止線まで 35m";
  ui.carsText = "4両編成";
  ui.tcText = "信号が変わりました";
  ui.limitText = "45km/h 制限まで283m";
  ui.speedText = " 45.0 km/h";
  ui.distanceText = "  123 m";
  ui.prevStationText = "前駅 東駅";
  ui.nextStationText = "次は 西駅";
  ui.maxSpeedText = "最高95";
  ui.limitText2 = "video only";
  ui.commentary = "video only";
  return ui;
}

TEST(InfoLabels, LabelModeShowsEveryTextInItsLabel) {
  InfoLabels labels;
  updateInfoLabels(labels, shownTexts(), 1, false, 0);
  const std::array<std::string, InfoLabels::Count> expected{
      "前",      "P3",        "緩め",           "直結",       "ただいま 東駅",       "",
      "",        "10:00:00",  "停止線まで 35m", "4両編成",    "45km/h 制限まで283m", " 45.0 km/h",
      "  123 m", "前駅 東駅", "次は 西駅",      "最高95 km/h"};
  EXPECT_EQ(labels.caption, expected);
}

// Label6 carries the door side only where the route shows it; Label9 falls
// back to the traffic-light text on one-man routes while the car count is empty.
TEST(InfoLabels, DoorSideAndCarCountByOperation) {
  struct Case {
    bool oneMan;
    int oneMan2;
    bool carsEmpty;
    const char* label6;
    const char* label9;
  };
  const Case cases[] = {
      {false, 1, false, "", "4両編成"},          {false, 1, true, "", ""},
      {true, 1, false, "左側", "4両編成"},       {true, 1, true, "左側", "信号が変わりました"},
      {true, 0, true, "", "信号が変わりました"},
  };
  for (const auto& c : cases) {
    UiText ui = shownTexts();
    if (c.carsEmpty) ui.carsText.clear();
    InfoLabels labels;
    labels.caption[6] = "stale";
    updateInfoLabels(labels, ui, 1, c.oneMan, c.oneMan2);
    EXPECT_EQ(labels.caption[6], c.label6) << c.oneMan << c.oneMan2 << c.carsEmpty;
    EXPECT_EQ(labels.caption[9], c.label9) << c.oneMan << c.oneMan2 << c.carsEmpty;
  }
}

TEST(InfoLabels, VideoModeKeepsTheLastCaptions) {
  InfoLabels labels;
  UiText ui = shownTexts();
  updateInfoLabels(labels, ui, 1, false, 0);
  const InfoLabels shown = labels;
  ui.speedText = " 80.0 km/h";
  ui.stationText = "次は 西駅";
  updateInfoLabels(labels, ui, 0, false, 0);
  EXPECT_EQ(labels.caption, shown.caption);
}

}  // namespace
}  // namespace cab
