// The limits ahead in a whole drive: the tick step finds them, the cab lamps
// blink the sign, the frame puts it on the overlay sprite, the information
// line names the limit or check, and a jump disarms the approach.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/shell/drive.h"
#include "headless/headless_platform.h"
#include "tests/route_data/route_test_support.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

constexpr const char* Settings = "[Disp]\n30,1\n0\n640\n480\n0\n[InfoLabel]\nI0\nI1\nI2\nI3\nI4\nI5\nI6\nI7\n#\n";

// The minimal route (A at 1000 cm, B at 9000 cm, 100 cm every 3 frames) with
// a 45 km/h limit from frame 150 (5000 cm) to 200, its sign picture 2 and end
// sign 3, and a 30 km/h check at frame 100 (3333 cm).
constexpr const char* LimitRows =
    "[SpeedLimit]\n45,2,0,150,200,3\n#\n[SpeedCheck1]\n30,35,100,0\n#\n[SignImageList]\n"
    "s\\t.bmp,16\ns\\s.bmp,4\ns\\m.bmp,4\ns\\e.bmp,4\ns\\g.bmp,16\ns\\l.bmp,16\ns\\r.bmp,8\ns\\c.bmp,16\ns\\o.bmp,16\n";

class DriveSpeedLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "s");
    std::ofstream(root_ / "vantorel.dat") << Settings;
    testing::writeMinimalVehicle(root_);
    std::ofstream(root_ / testing::MinimalRouteFile) << testing::MinimalRouteText << LimitRows;
    for (const char* p : {"t", "s", "m", "e", "g", "l", "r", "c", "o"})
      std::ofstream(root_ / "s" / (std::string(p) + ".bmp")) << "96 16";
    drive_ = std::make_unique<Drive>(
        DataDirectory(root_), DrivePlatform{dialogs_, settings_, clock_, status_, surface_, window_, pictures_, video_},
        DriveRequest{testing::MinimalRouteFile, "", testing::MinimalVehicleFile, 0, std::nullopt});
    drive_->FormCreate();
  }
  void TearDown() override { fs::remove_all(root_); }

  // One tick with the train put where the case wants it, then a frame that
  // draws the overlays. The pattern the limit sign shows, 0 when hidden.
  int tickAt(long double position, int frame, long double speed) {
    Drive& d = *drive_;
    d.train.position = position;
    d.train.frame = frame;
    d.train.speed = speed;
    d.handle(drive_event::Tick{});
    ms_ += 100;
    clock_.setMs(ms_);
    d.handle(drive_event::Frame{});
    const Sprite& sign = d.sprites.sprite(d.overlays.sprites.limitSign);
    return sign.visible ? sign.pattern : 0;
  }

  fs::path root_ = fs::temp_directory_path() / ("cabview-speed-limits-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
  headless::VirtualClock clock_;
  long long ms_ = 0;
  headless::StderrDialogs dialogs_;
  headless::MemorySettingsStore settings_;
  headless::SilentStatus status_;
  headless::NullSurface surface_;
  testing::FakePictureLoader pictures_;
  FfmpegVideoSource video_;
  headless::HeadlessWindow window_{[this] { drive_->FormCloseQuery(); }};
  std::unique_ptr<Drive> drive_;
};

TEST_F(DriveSpeedLimits, SignBlinksOnApproachStandsInTheSectionThenShowsTheEnd) {
  Drive& d = *drive_;
  ASSERT_GE(d.overlays.sprites.limitSign, 0);
  EXPECT_EQ(tickAt(1000, 30, 0), 0);  // standing: nothing to brake for

  // At 40 km/h the limit 40 m ahead is within its 80 m.
  std::vector<int> shown;
  for (int k = 0; k < 12; ++k) shown.push_back(tickAt(1000, 30, 40));
  EXPECT_TRUE(d.speedLimits.limitApproach);
  EXPECT_NE(std::find(shown.begin(), shown.end(), 2), shown.end());
  EXPECT_NE(std::find(shown.begin(), shown.end(), 0), shown.end());
  for (int pattern : shown) EXPECT_TRUE(pattern == 0 || pattern == 2) << pattern;
  EXPECT_EQ(d.uiText.limitText, "45km/h I440m");

  for (int k = 0; k < 12; ++k) EXPECT_EQ(tickAt(5100, 160, 40), 2) << k;  // steady
  EXPECT_FALSE(d.speedLimits.limitApproach);
  EXPECT_EQ(d.uiText.limitText, "");

  EXPECT_EQ(tickAt(7000, 210, 40), 3);  // the end sign, for 200 frames
  EXPECT_EQ(tickAt(7100, 399, 40), 3);
  EXPECT_EQ(tickAt(7200, 400, 40), 0);
}

TEST_F(DriveSpeedLimits, InformationLineNamesTheCheckWhenNoLimitIsWithinReach) {
  // At 20 km/h both need 40 m: the check is 23.3 m ahead, the limit exactly 40 m.
  tickAt(1000, 30, 20);
  EXPECT_EQ(drive_->uiText.limitText, "30km/h 照査まで23m");
  EXPECT_EQ(drive_->uiText.limitText2, "");
}

TEST_F(DriveSpeedLimits, StationJumpDisarmsTheApproach) {
  Drive& d = *drive_;
  tickAt(1000, 30, 40);
  ASSERT_TRUE(d.speedLimits.limitApproach);
  ASSERT_TRUE(d.handle(drive_event::Move{0}));
  EXPECT_FALSE(d.speedLimits.limitApproach);
}

}  // namespace
}  // namespace cab
