// The drive's frame loop with its overlays: the texts handed to the surface
// and the commentary centred on the width the surface measured a frame before.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/input/key_codes.h"
#include "core/shell/display_options_store.h"
#include "core/shell/drive.h"
#include "headless/headless_platform.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// Keeps the texts of the last frame; a text is 10 pixels a byte wide.
class TextSurface : public headless::NullSurface {
 public:
  void drawVideoTexts(std::span<const VideoText> texts) override { drawn.assign(texts.begin(), texts.end()); }
  int textWidth(const std::string& text, int) const override { return 10 * static_cast<int>(text.size()); }
  std::vector<VideoText> drawn;
};

class DriveOverlays : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_);
    std::ofstream(root_ / "vantorel.dat") << "[Disp]\n30,1\n0\n800\n600\n0\n";
    testing::writeMinimalVehicle(root_);
    testing::writeMinimalRoute(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // A drive with the options given, run for a few frames.
  Drive& start(int information, int moji) {
    const std::pair<const char*, int> options[] = {
        {"Kanko", 0}, {"Information", information}, {"ATS", 0}, {"Tunnel", 0}, {"Moji", moji}};
    for (const auto& [name, value] : options) settings_.write(OptionsKeyPath, name, std::to_string(value));
    drive_ = std::make_unique<Drive>(
        DataDirectory(root_), DrivePlatform{dialogs_, settings_, clock_, status_, surface_, window_, pictures_, video_},
        DriveRequest{testing::MinimalRouteFile, "", testing::MinimalVehicleFile, 0, std::nullopt});
    drive_->FormCreate();
    return *drive_;
  }
  void frame() {
    ms_ += 17;
    clock_.setMs(ms_);
    drive_->handle(drive_event::Frame{});
  }
  const VideoText* drawnWhite(const std::string& text) const {
    for (const VideoText& t : surface_.drawn)
      if (t.text == text && t.colour == 0xFFFFFFu) return &t;
    return nullptr;
  }

  fs::path root_ = fs::temp_directory_path() /
                   ("cabview-overlays-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  headless::VirtualClock clock_;
  long long ms_ = 0;
  headless::StderrDialogs dialogs_;
  headless::MemorySettingsStore settings_;
  headless::SilentStatus status_;
  TextSurface surface_;
  PictureDecoder pictures_;
  FfmpegVideoSource video_;
  headless::HeadlessWindow window_{[this] { drive_->FormCloseQuery(); }};
  std::unique_ptr<Drive> drive_;
};

TEST_F(DriveOverlays, CommentaryIsCentredOnTheLastFramesWidth) {
  Drive& d = start(0, 1);
  d.uiText.commentary = "check the doors";  // 15 bytes: 150 pixels
  frame();
  ASSERT_NE(drawnWhite("check the doors"), nullptr);
  EXPECT_EQ(drawnWhite("check the doors")->x, 400);  // not measured before
  EXPECT_EQ(drawnWhite("check the doors")->y, 540);  // label mode: low on the video
  frame();
  EXPECT_EQ(drawnWhite("check the doors")->x, 400 - 75);
  EXPECT_EQ(surface_.drawn.size(), 2u);  // the labels show the rest
}

TEST_F(DriveOverlays, TextModeDrawsTheDrivingInformation) {
  Drive& d = start(1, 0);
  frame();
  // The start texts: the station the drive starts at and the car count.
  ASSERT_NE(drawnWhite("ただいま A"), nullptr);
  EXPECT_EQ(drawnWhite("ただいま A")->y, 516);
  EXPECT_NE(drawnWhite(d.uiText.carsText), nullptr);
  d.uiText.commentary = "advice";
  frame();
  EXPECT_EQ(drawnWhite("advice"), nullptr);  // the "Information" option hides the commentary
}

TEST_F(DriveOverlays, BackspaceMarksTheDistanceLeftBeyond200Metres) {
  Drive& d = start(1, 1);
  d.stationState.remainingDistance = 25000;
  d.handle(drive_event::KeyDown{vk::Back});
  EXPECT_EQ(d.overlays.lengthMark, 25000);
  d.stationState.remainingDistance = 15000;
  d.handle(drive_event::KeyDown{vk::Back});
  EXPECT_EQ(d.overlays.lengthMark, 0);
}

// Lit at the start of a drive, the lamp goes out at the first tick that
// finds no level crossing ahead.
TEST_F(DriveOverlays, TheSecondCrossingLampGoesOutWithNoCrossingAhead) {
  Drive& d = start(1, 1);
  EXPECT_TRUE(d.trackEvents.crossingLampLit);
  d.handle(drive_event::Tick{});
  EXPECT_FALSE(d.trackEvents.crossingLampLit);
}

}  // namespace
}  // namespace cab
