// The track-side events on a running drive: the tunnel panel with the
// "Tunnel" option, the physics' tunnel flag and gradient, and a level
// crossing's second lamp waiting for its station's departure.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "core/shell/display_options_store.h"
#include "core/shell/drive.h"
#include "tests/support/minimal_vehicle.h"
#include "tests/support/test_platform.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// Stations A, B and C at frames 30, 150 and 270 of a stretch recorded at
// 36 km/h (1000 cm a second, 30 frames a second: A at 1000 cm, B at 5000 cm);
// a tunnel from frame 0 to 100, a climb over B, and a crossing from frame
// 120 to 200 (B's stop lies between) that waits for B's departure.
constexpr const char* Route =
    "[LineName]\nTest line\n[Station]\nA,0,30,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n"
    "B,0,150,150,0,0,0,0,60,0,0,0,0,0,0,0,0\nC,0,270,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n#\n"
    "[Tunnel]\n0,100,80\n#\n[TunnelR]\n25\n[Slope]\n10,120,200\n#\n"
    "[SpeedUnit]\n0,300,36,36\n#\n[Cross]\n3,0,120,200,1\n#\n";

class DriveTrackEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_);
    std::ofstream(root_ / "vantorel.dat") << "[Disp]\n30,1\n0\n64\n48\n0\n";
    std::ofstream(root_ / testing::MinimalVehicleFile)
        << testing::MinimalVehicleText << "[Panel2]\npanel2.bmp\n10\n20\n";
    QImage panel2(8, 4, QImage::Format_RGB32);
    panel2.fill(Qt::yellow);
    ASSERT_TRUE(panel2.save(QString::fromStdString((root_ / "panel2.bmp").string()), "BMP"));
    std::ofstream(root_ / testing::MinimalRouteFile) << Route;
  }
  void TearDown() override { fs::remove_all(root_); }

  Drive& start(int tunnelOption) {
    const std::pair<const char*, int> options[] = {
        {"Kanko", 0}, {"Information", 0}, {"ATS", 0}, {"Tunnel", tunnelOption}, {"Moji", 1}};
    for (const auto& [name, value] : options) platform_.settings.write(OptionsKeyPath, name, std::to_string(value));
    drive_ = std::make_unique<Drive>(
        DataDirectory(root_), platform_.drivePlatform(),
        DriveRequest{testing::MinimalRouteFile, "", testing::MinimalVehicleFile, 0, std::nullopt});
    drive_->FormCreate();
    return *drive_;
  }
  bool panel2Visible(Drive& d) const { return d.sprites.sprite(d.panelSprites[PanelElement::Panel2].id).visible; }

  fs::path root_ =
      fs::temp_directory_path() /
      ("cabview-track-events-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  testing::TestPlatform platform_{[this] { drive_->FormCloseQuery(); }};
  std::unique_ptr<Drive> drive_;
};

// A stands 10 m into the tunnel, within its first 15 m: level 80 x 1000 / 1500.
TEST_F(DriveTrackEvents, TheTunnelReachesThePhysicsAndShowsThePanel) {
  Drive& d = start(0);
  ASSERT_TRUE(d.panelSprites[PanelElement::Panel2].exists());
  d.handle(drive_event::Tick{});
  EXPECT_TRUE(d.trackEvents.inTunnel);
  EXPECT_EQ(d.trackEvents.tunnelLevel, 53);
  EXPECT_TRUE(d.track.inTunnel);
  EXPECT_EQ(d.track.tunnelResistance, 25);
  EXPECT_TRUE(panel2Visible(d));
  // Out of the tunnel at B: the panel goes.
  d.handle(drive_event::Move{1});
  d.handle(drive_event::Tick{});
  EXPECT_FALSE(d.track.inTunnel);
  EXPECT_FALSE(panel2Visible(d));
}

TEST_F(DriveTrackEvents, VisualEffectsOffKeepTheTunnelPanelHidden) {
  Drive& d = start(1);
  d.handle(drive_event::Tick{});
  EXPECT_TRUE(d.track.inTunnel);
  EXPECT_FALSE(panel2Visible(d));
}

// The jump to B queues the crossing whose range holds B's frame; the next tick
// shows it with the second lamp lit, and B's departure puts the lamp out.
TEST_F(DriveTrackEvents, ACrossingBeyondAStationKeepsItsLampLitUntilTheDeparture) {
  Drive& d = start(0);
  d.handle(drive_event::Tick{});
  EXPECT_FALSE(d.trackEvents.crossingLampLit);  // no crossing at A
  d.handle(drive_event::Move{1});
  EXPECT_EQ(d.trackEvents.crossingQueue[0], 0);
  d.handle(drive_event::Tick{});
  EXPECT_EQ(d.trackEvents.shownCrossing, 0);
  EXPECT_EQ(d.trackEvents.crossingPattern, 3);
  EXPECT_TRUE(d.trackEvents.crossingLampLit);
  // The conductor opens the doors at B; its departure time is long past.
  d.operation.clock = 108000;
  for (int i = 0; i < 20 && !d.stationState.departed[1]; ++i) d.handle(drive_event::Tick{});
  ASSERT_TRUE(d.stationState.departed[1]);
  EXPECT_FALSE(d.trackEvents.crossingLampLit);
  d.handle(drive_event::Tick{});
  EXPECT_FALSE(d.trackEvents.crossingLampLit);
  EXPECT_EQ(d.trackEvents.crossingPattern, 3);  // the crossing itself is still ahead
}

// The gradient at the head comes from the row B stands in; the jump clears
// the gradients the physics reads.
TEST_F(DriveTrackEvents, TheJumpClearsTheGradients) {
  Drive& d = start(0);
  d.handle(drive_event::Move{1});
  d.handle(drive_event::Tick{});
  EXPECT_EQ(d.trackEvents.gradient.raw(), Fixed4(10).raw());
  EXPECT_EQ(d.trackEvents.gradientPost, 1);
  d.trackEvents.avgGradient = 7;
  d.track.gradient = 7;
  d.handle(drive_event::Move{0});
  EXPECT_EQ(d.trackEvents.gradient.raw(), 0);
  EXPECT_EQ(d.trackEvents.avgGradient.raw(), 0);
  EXPECT_EQ(d.track.gradient, 0);
}

}  // namespace
}  // namespace cab
