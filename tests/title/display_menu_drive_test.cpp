// The "Display" menu on a drive of the demo set, whose routes create the
// stop-position lines.
#include <gtest/gtest.h>

#include "core/shell/display_options_store.h"
#include "tests/title/demo_drive.h"

namespace cab {
namespace {

TEST(DisplayMenuDrive, ChecksStartFromTheStoredOptionsAndTheLinesItemHidesTheStopLines) {
  headless::MemorySettingsStore store;
  writeDisplayOptions(store, DisplayOptions{1, 0, 1, 0, 0});
  testing::DemoDrive demo(store, "line_Local_East1.dat");
  Drive& d = demo.drive;
  EXPECT_TRUE(d.displayChecks[DisplayItem::OFF1]);
  EXPECT_FALSE(d.displayChecks[DisplayItem::D1]);
  EXPECT_TRUE(d.displayChecks[DisplayItem::OFF2]);  // from "ATS"
  EXPECT_FALSE(d.protection.atsPowerOn);

  const OverlaySprites& o = d.overlays.sprites;
  const auto linesShown = [&] {
    int shown = 0;
    for (SpriteId line : {o.stopLineS, o.stopLineM, o.stopLineE}) shown += d.sprites.sprite(line).visible;
    return shown;
  };
  ASSERT_GE(o.stopLineS, 0);
  ASSERT_GE(o.stopLineE, 0);
  EXPECT_EQ(linesShown(), 3);  // the start leaves the lines as the route created them
  d.handle(drive_event::DisplayMenu{DisplayItem::OFF2});
  EXPECT_FALSE(d.displayChecks[DisplayItem::OFF2]);
  EXPECT_EQ(linesShown(), 3);
  d.handle(drive_event::DisplayMenu{DisplayItem::OFF2});
  EXPECT_EQ(linesShown(), 0);

  d.handle(drive_event::DisplayMenu{DisplayItem::OFFC1});
  EXPECT_EQ(d.options.Moji, 1);
  d.handle(drive_event::DisplayMenu{DisplayItem::OFFV1});
  d.FormCloseQuery();
  const DisplayOptions saved = readDisplayOptions(store);
  EXPECT_EQ(saved.Kanko, 1);
  EXPECT_EQ(saved.ATS, 1);  // the lines' item stores nothing
  EXPECT_EQ(saved.Tunnel, 1);
  EXPECT_EQ(saved.Moji, 1);
}

}  // namespace
}  // namespace cab
