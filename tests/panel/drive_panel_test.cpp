#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/common/rounding.h"
#include "core/input/key_codes.h"
#include "core/presentation/panel/gauges.h"
#include "core/shell/drive.h"
#include "core/shell/video_position.h"
#include "headless/headless_platform.h"
#include "headless/mixer_advance.h"
#include "tests/demo/demo_set.h"
#include "tests/headless/run_headless.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;
using E = PanelElement;
using P = PanelPattern;

class RecordedStatus : public StatusSink {
 public:
  void progress(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

// One demo vehicle on the first demo route, driven on a virtual clock.
struct DemoDrive {
  explicit DemoDrive(const std::string& vehicleFile)
      : drive(DataDirectory(testing::demoDir()),
              DrivePlatform{dialogs, settings, clock, status, surface, window, pictures, video},
              DriveRequest{"line_Local_East1.dat", "", vehicleFile, 0, std::nullopt}) {}

  // Runs the frames and ticks of `ms` milliseconds, the sounds with them.
  void run(long long ms) {
    for (long long end = clock.ms() + ms; clock.ms() < end;) {
      clock.setMs(clock.ms() + 1);
      sound.advanceTo(clock.ms());
      drive.handle(drive_event::Frame{});
      if (clock.ms() % 100 == 0) drive.handle(drive_event::Tick{});
    }
  }
  const Sprite& sprite(E e) const { return drive.sprites.sprite(drive.panelSprites[e].id); }

  headless::VirtualClock clock;
  headless::StderrDialogs dialogs;
  headless::MemorySettingsStore settings;
  RecordedStatus status;
  headless::NullSurface surface;
  headless::HeadlessWindow window{[] {}};
  PictureDecoder pictures;
  FfmpegVideoSource video;
  Drive drive;
  headless::MixerAdvance sound{*drive.sound, nullptr};
};

TEST(DrivePanel, EveryDemoVehicleLoadsWithItsOwnPanel) {
  for (const char* vehicle : {"train_E231.dat", "train_R80.dat", "train_D20.dat"}) {
    SCOPED_TRACE(vehicle);
    const bool diesel = std::string(vehicle) == "train_D20.dat";
    DemoDrive d(vehicle);
    d.drive.FormCreate();
    const CabPanelSprites& ids = d.drive.panelSprites;
    // Each vehicle has the desk, the speedometer, the brake gauges and the notch pictures.
    for (E e : {E::Panel, E::Needle_Speed, E::Needle_BC, E::Needle_MR, E::Needle_BP})
      EXPECT_TRUE(ids[e].exists()) << static_cast<int>(e);
    for (P p : {P::NotchImageP, P::NotchImageB}) EXPECT_TRUE(ids[p].exists()) << static_cast<int>(p);
    // Every element the vehicle names shows its whole picture.
    for (const PanelSprite& p : ids.elements) {
      if (!p.exists()) continue;
      const Sprite& s = d.drive.sprites.sprite(p.id);
      const ImageItem& image = d.drive.sprites.image(s.image);
      EXPECT_FALSE(image.picture.empty()) << image.name;
      EXPECT_EQ(s.width, image.picture.width) << image.name;
    }
    // Only the diesel has the gear indicator and lever.
    EXPECT_EQ(ids[P::GearImageList].exists(), diesel);
    EXPECT_EQ(ids[P::GearImageList2].exists(), diesel);

    // The panel is drawn after the settings and vehicle files are read and
    // before the route's environment is set up.
    const auto& texts = d.status.texts;
    const auto at = [&](const char* text) { return std::find(texts.begin(), texts.end(), text) - texts.begin(); };
    EXPECT_LT(at("設定ファイルを読み込んでいます"), at("運転台を描画しています"));
    EXPECT_LT(at("運転台を描画しています"), at("環境をセットアップしています"));
    EXPECT_LT(at("環境をセットアップしています"), static_cast<long>(texts.size()));
  }
}

TEST(DrivePanel, TheRunningDriveMovesNeedlesLampsAndTheSway) {
  DemoDrive d("train_E231.dat");
  d.drive.FormCreate();
  const CabLayout& cab = d.drive.vehicle.cabLayout;
  // ATS power is on: its lamp shows from the start; the power lamp is dark once the tick has run.
  EXPECT_TRUE(d.sprite(E::Lamp_Ats1).visible);
  d.run(1000);
  EXPECT_FALSE(d.sprite(E::Lamp_Power).visible);
  const int standing = static_cast<int>(Round(cab.Needle_Speed.zero * AngleUnitsPerDegree));
  EXPECT_EQ(d.sprite(E::Needle_Speed).angle, standing);
  // The brakes are applied from the start: the cylinder needle stands well off its zero.
  EXPECT_GT(d.sprite(E::Needle_BC).angle, static_cast<int>(Round(cab.Needle_BC.zero * AngleUnitsPerDegree)) + 50);
  // Every panel sprite sways by the same offset.
  const int sway = static_cast<int>(d.sprite(E::Panel).y) - cab.Panel.Top;
  EXPECT_GE(sway, -10);
  EXPECT_LE(sway, 15);
  EXPECT_EQ(d.sprite(E::Lamp_Door).y, cab.Lamp_Door.Top + sway);
  EXPECT_EQ(d.sprite(E::Needle_Speed).y, cab.Needle_Speed.Top + sway);

  // With the doors shut, release the brake and take power: the train moves
  // off and the speedometer follows.
  d.drive.train.doorsOpen = false;
  d.drive.handle(drive_event::Character{'5'});
  for (int i = 0; i < 4; ++i) d.drive.handle(drive_event::Character{'8'});
  for (int s = 0; s < 60 && d.drive.train.speed < 20; ++s) d.run(1000);
  ASSERT_GE(d.drive.train.speed, 20);
  // 20 km/h is 45 degrees up the scale: 128 renderer units.
  EXPECT_GT(d.sprite(E::Needle_Speed).angle, standing + 120);
  EXPECT_TRUE(d.sprite(E::Lamp_Power).visible);
  EXPECT_TRUE(d.sprite(E::Needle_Ip_L).visible);
  EXPECT_FALSE(d.sprite(E::Needle_Ib_L).visible);

  // Shift+Up lifts the whole panel by 50 pixels from the next sway on.
  d.drive.handle(drive_event::KeyDown{vk::Up, true});
  d.drive.handle(drive_event::KeyDown{vk::Up, false});  // without Shift nothing moves
  d.run(50);
  const int swayNow = swayOffset(d.drive.train.viewSway);
  EXPECT_NEAR(d.sprite(E::Panel).y, cab.Panel.Top - 50 + swayNow, 1);
  EXPECT_NEAR(d.sprite(E::Lamp_Door).y, cab.Lamp_Door.Top - 50 + swayNow, 1);
}

TEST(DrivePanel, AMissingPanelPictureHaltsTheDrive) {
  const fs::path root = fs::temp_directory_path() / ("cabview-panel-halt-" + std::to_string(::getpid()));
  fs::create_directories(root / "cars");
  std::ofstream(root / "vantorel.dat") << "[Disp]\n30,1\n0\n64\n48\n0\n";
  testing::writeMinimalRoute(root);
  std::ofstream(root / "cars" / "test.dat") << testing::MinimalVehicleText << "[Lamp_Air]\nlamps\\air.bmp\n10\n20\n";
  const auto r = testing::runHeadless("--data " + testing::quoted(root) +
                                      " --route line_Local_East1.dat --vehicle test.dat --vehicle-dir 'cars\\' "
                                      "--seconds 0.5");
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_NE(r.err.find("halt: lamps\\air.bmpの生成エラー\n"), std::string::npos) << r.err;
  fs::remove_all(root);
}

}  // namespace
}  // namespace cab
