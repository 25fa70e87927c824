#include "core/shell/display_menu.h"

#include <gtest/gtest.h>

namespace cab {
namespace {

TEST(DisplayMenu, ChecksFollowTheOptionsOnlyWhenOne) {
  const DisplayOptions options{1, 2, 1, 0, 1};  // Kanko, Information, ATS, Tunnel, Moji
  const DisplayChecks c = displayChecks(options);
  EXPECT_TRUE(c[DisplayItem::OFF1]);
  EXPECT_FALSE(c[DisplayItem::D1]);  // 2 is neither on nor off: unchecked
  EXPECT_TRUE(c[DisplayItem::OFF2]);
  EXPECT_FALSE(c[DisplayItem::OFFV1]);
  EXPECT_TRUE(c[DisplayItem::OFFC1]);
}

TEST(DisplayMenu, ToggleSetsTheOptionFromTheNewCheck) {
  const struct {
    DisplayItem item;
    int DisplayOptions::*option;
  } cases[] = {{DisplayItem::D1, &DisplayOptions::Information},
               {DisplayItem::OFF1, &DisplayOptions::Kanko},
               {DisplayItem::OFFV1, &DisplayOptions::Tunnel},
               {DisplayItem::OFFC1, &DisplayOptions::Moji}};
  for (const auto& c : cases) {
    DisplayOptions options{2, 2, 2, 2, 2};
    DisplayChecks checks = displayChecks(options);
    EXPECT_TRUE(toggleDisplayItem(checks, options, c.item));
    EXPECT_EQ(options.*c.option, 1);
    EXPECT_FALSE(toggleDisplayItem(checks, options, c.item));
    EXPECT_EQ(options.*c.option, 0);
  }
  // The stop-position lines' item stores nothing: "ATS" keeps its value.
  DisplayOptions options{0, 0, 1, 0, 0};
  DisplayChecks checks = displayChecks(options);
  EXPECT_FALSE(toggleDisplayItem(checks, options, DisplayItem::OFF2));
  EXPECT_EQ(options.ATS, 1);
}

}  // namespace
}  // namespace cab
