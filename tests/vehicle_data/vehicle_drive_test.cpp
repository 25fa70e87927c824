#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/shell/drive.h"
#include "headless/headless_platform.h"
#include "tests/headless/run_headless.h"
#include "tests/support/minimal_vehicle.h"
#include "tests/vehicle_data/fake_pictures.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// A data directory with a settings file and a vehicle file of the test's own.
class VehicleDrive : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-vehicle-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_ / "cars");
    std::ofstream(root_ / "vantorel.dat") << "[Disp]\n30,1\n0\n64\n48\n0\n";
    testing::writeMinimalRoute(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  void writeVehicle(const std::string& more) {
    std::ofstream(root_ / "cars" / "test.dat") << testing::MinimalVehicleText << more;
  }
  testing::HeadlessResult run() {
    return testing::runHeadless(
        "--data " + testing::quoted(root_) +
        " --route line_Local_East1.dat --vehicle test.dat --vehicle-dir 'cars\\' --seconds 0.5");
  }

  fs::path root_;
};

TEST_F(VehicleDrive, BadVehiclesHaltTheHeadlessRun) {
  struct Case {
    std::string more, halt;
  };
  const Case cases[] = {
      {"[Engine_Type]\n0\n[Notch]\n1\n1\n10\n20\n1\n0\n#\n", "halt: 動力が気動車なのにNotch指定があります"},
      {"[Engine]\n0\n20\n40\n1\n1\n1\n#\n", "halt: 動力が電車なのにEngine指定があります"},
      {"[BrakeType]\n1\n[Brake]\n2\n", "halt: ブレーキの段数を3段以上に設定してください"},
      {"[Needle_Speed]\nn.bmp\n1\n2\n3\n4\n5\nfast\n", "halt: 車両ファイルに誤りがあります- 速度計"},
  };
  for (const Case& c : cases) {
    writeVehicle(c.more);
    auto r = run();
    EXPECT_EQ(r.exitStatus, 2) << c.halt;
    EXPECT_NE(r.err.find(c.halt + "\n"), std::string::npos) << r.err;
  }
  writeVehicle("[BrakeType]\n0\n[Brake]\n2\n");  // the automatic brake always has four positions
  EXPECT_EQ(run().exitStatus, 0);
}

TEST_F(VehicleDrive, LoadsTheVehicleAndCompensatesEveryFrame) {
  writeVehicle("[BrakeType]\n0\n[Brake]\n2\n[Tons]\n130.5678\n0.5\n[Lamp_signal]\n1\n2\n4\n4\ncab.pic\n#\n");
  std::ofstream(root_ / "cars" / "cab.pic") << "FAKE 8 4";
  headless::VirtualClock clock;
  headless::StderrDialogs dialogs;
  headless::MemorySettingsStore settings;
  headless::SilentStatus status;
  headless::NullSurface surface;
  headless::HeadlessWindow window([] {});
  testing::FakePictureLoader pictures;
  FfmpegVideoSource video;
  Drive d(DataDirectory(root_), DrivePlatform{dialogs, settings, clock, status, surface, window, pictures, video},
          DriveRequest{"line_Local_East1.dat", "cars\\", "test.dat", 0, std::nullopt});
  d.FormCreate();
  EXPECT_EQ(d.vehicle.Brake, 4);
  ASSERT_EQ(d.sprites.spriteCount(), 1u);
  EXPECT_EQ(d.sprites.image(0).name, "img_cabsignal");
  EXPECT_EQ(d.train.trainMass.raw(), 0);
  for (long long t = 0; t < 40; ++t) {
    clock.setMs(t);
    d.handle(drive_event::Frame{});
  }
  // No route yet: no load, so the empty values with their decimals.
  EXPECT_EQ(d.train.trainMass.raw(), 1305678);
  EXPECT_EQ(d.train.emergencyBc, 480);
  EXPECT_EQ(d.train.serviceMaxBc, 440);
}

}  // namespace
}  // namespace cab
