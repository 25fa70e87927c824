#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/shell/drive.h"
#include "tests/support/minimal_vehicle.h"
#include "tests/support/test_platform.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

constexpr const char* Settings =
    "[Disp]\n30,1\n0\n64\n48\n0\n[Forward]\n前\n[Cars]\n両\n[Doors]\n左側\n右側\n"
    "[InfoLabel]\nI0\nI1\nI2\nI3\nI4\nI5\nI6\nI7\nドアの開く側を確認しましょう\nI9\n#\n";

// The minimal route's drive, one-man when asked, ticked by hand.
class DriveTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-texts-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_);
    std::ofstream(root_ / "vantorel.dat") << Settings;
    testing::writeMinimalVehicle(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  Drive& start(const std::string& routeExtra = "") {
    std::ofstream(root_ / testing::MinimalRouteFile) << testing::MinimalRouteText << routeExtra;
    drive_ = std::make_unique<Drive>(
        DataDirectory(root_), platform_.drivePlatform(),
        DriveRequest{testing::MinimalRouteFile, "", testing::MinimalVehicleFile, 0, std::nullopt});
    drive_->FormCreate();
    return *drive_;
  }

  fs::path root_;
  testing::TestPlatform platform_{[this] { drive_->FormCloseQuery(); }};
  std::unique_ptr<Drive> drive_;
};

TEST_F(DriveTextsTest, ATickFillsTheLabelsInLabelMode) {
  Drive& d = start();
  ASSERT_EQ(d.options.Moji, 1);  // the default
  d.handle(drive_event::Tick{});
  const auto& label = d.infoLabels.caption;
  EXPECT_EQ(label[0], "前");
  EXPECT_EQ(label[4], "ただいま A");
  EXPECT_EQ(label[9], "4両");
  EXPECT_EQ(label[11], "  0.0 km/h");
  EXPECT_EQ(label[12], " 0.00 m");
  EXPECT_EQ(label[15], "最高60 km/h");
  EXPECT_EQ(label[6], "");  // a route with a conductor shows no door side

  // In video mode the texts go on changing while the hidden labels keep theirs.
  d.options.Moji = 0;
  d.train.speed = 42;
  d.handle(drive_event::Tick{});
  EXPECT_EQ(d.uiText.speedText, " 42.0 km/h");
  EXPECT_EQ(label[11], "  0.0 km/h");
}

// Standing at a one-man stop with the wrong door side chosen: the advice
// shows once and asks for one redraw of the picture, not one per tick.
TEST_F(DriveTextsTest, WrongDoorSideAdviceRedrawsThePictureOnce) {
  Drive& d = start("[OneMan]\n1\n1\n");
  d.train.doorsOpen = false;
  d.train.doorSide = 1;
  d.stationState.display.doorText = "右側";
  d.handle(drive_event::Tick{});
  EXPECT_EQ(d.uiText.commentary, "ドアの開く側を確認しましょう");
  EXPECT_EQ(d.video.shownFrame, d.train.frame - 1);
  EXPECT_EQ(d.infoLabels.caption[6], "右側");

  d.video.shownFrame = 77;
  d.handle(drive_event::Tick{});
  EXPECT_EQ(d.uiText.commentary, "ドアの開く側を確認しましょう");
  EXPECT_EQ(d.video.shownFrame, 77);
}

}  // namespace
}  // namespace cab
