#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/data/data_error.h"
#include "core/shell/drive.h"
#include "tests/support/minimal_vehicle.h"
#include "tests/support/test_platform.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// A one-second-per-22050-frames mono WAVE of `seconds`.
std::string waveOf(int seconds) {
  const std::uint32_t rate = 22050, data = rate * 2 * std::uint32_t(seconds);
  std::string b = "RIFF";
  const auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 0xFF);
  };
  u32(36 + data);
  b += "WAVEfmt ";
  u32(16);
  b += std::string("\x01\x00\x01\x00", 4);
  u32(rate);
  u32(rate * 2);
  b += std::string("\x02\x00\x10\x00", 4);
  b += "data";
  u32(data);
  b.append(data, '\x10');
  return b;
}

constexpr const char* motorRow = "sound\\a.wav\n0\n0\n20\n50\n100\n0.5\n1\n1.5\n2\n100\n100\n100\n100\n";

// A drive whose vehicle has two sounds and two engine sounds, and whose route
// has a 2 s and a 3 s sound and a movie stop at frame 60.
class DriveSoundsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-drive-sounds-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_ / "sound");
    std::ofstream(root_ / "vantorel.dat") << "[Disp]\n30,1\n0\n64\n48\n0\n";
    std::ofstream(root_ / testing::MinimalVehicleFile) << testing::MinimalVehicleText << "[EngineSound1]\n"
                                                       << motorRow << motorRow
                                                       << "#\n"
                                                          "[DriveSound]\nsound\\a.wav\nsound\\a.wav\n#\n";
    std::ofstream(root_ / testing::MinimalRouteFile)
        << testing::MinimalRouteText << "[MovieStop]\n60\n#\n[SoundData]\nsound\\b.wav\nsound\\c.wav\n#\n";
    std::ofstream(root_ / "sound" / "a.wav", std::ios::binary) << waveOf(1);
    std::ofstream(root_ / "sound" / "b.wav", std::ios::binary) << waveOf(2);
    std::ofstream(root_ / "sound" / "c.wav", std::ios::binary) << waveOf(3);
  }
  void TearDown() override { fs::remove_all(root_); }

  Drive& drive() {
    drive_ = std::make_unique<Drive>(
        DataDirectory(root_), platform_.drivePlatform(),
        DriveRequest{testing::MinimalRouteFile, "", testing::MinimalVehicleFile, 0, std::nullopt});
    return *drive_;
  }

  fs::path root_;
  testing::TestPlatform platform_{[] {}};
  std::unique_ptr<Drive> drive_;
};

// The stations time their stops by the route sounds as loaded: route sound k
// on channel D + k, lasting its whole seconds.
TEST_F(DriveSoundsTest, TheStationsTakeTheRouteSoundsFromTheBank) {
  Drive& d = drive();
  d.FormCreate();
  EXPECT_EQ(d.routeSounds.firstChannel, 2);
  EXPECT_EQ(d.routeSounds.seconds, (std::vector<int>{2, 3}));
  EXPECT_EQ(d.routeSounds.clockLength(1), 90);
  EXPECT_TRUE(d.sound->hasWave(4) && d.sound->hasWave(5));  // the engine sounds after them
}

TEST_F(DriveSoundsTest, AMissingSoundHaltsTheLoad) {
  fs::remove(root_ / "sound" / "c.wav");
  Drive& d = drive();
  try {
    d.FormCreate();
    FAIL() << "the drive loaded";
  } catch (const HaltError& e) {
    EXPECT_EQ(e.messages(), (std::vector<std::string>{"sound\\c.wavが見つかりません"}));
  }
}

// Pausing silences every channel and remembers how it played; resuming
// starts each again from its beginning, once or looping.
TEST_F(DriveSoundsTest, PauseAndResumeRestartWhatWasPlaying) {
  Drive& d = drive();
  d.FormCreate();
  SoundMixer& m = *d.sound;
  m.loop(1);
  m.play(3);
  d.handle(drive_event::StartPause{});
  EXPECT_FALSE(m.isPlaying(1));
  EXPECT_FALSE(m.isPlaying(3));
  d.handle(drive_event::StartPause{});
  EXPECT_TRUE(m.isLooping(1));
  EXPECT_TRUE(m.isPlaying(3));
  EXPECT_FALSE(m.isLooping(3));
  EXPECT_FALSE(m.isPlaying(2));
}

// Reaching a movie stop silences channels 1 up to the number of vehicle,
// route and call-out sounds loaded (here 4); channel 0 and the second
// engine sound go on.
TEST_F(DriveSoundsTest, AMovieStopSilencesTheLoadedSounds) {
  Drive& d = drive();
  d.FormCreate();
  SoundMixer& m = *d.sound;
  for (int c = 0; c <= 5; ++c) m.loop(c);
  d.train.prevFrame = 59;
  d.train.frame = 60;
  d.train.speed = 10;
  platform_.clock.setMs(1000);
  d.handle(drive_event::Frame{});
  EXPECT_EQ(d.train.speed, 0);
  EXPECT_TRUE(m.isPlaying(0));
  for (int c = 1; c <= 4; ++c) EXPECT_FALSE(m.isPlaying(c)) << c;
  EXPECT_TRUE(m.isPlaying(5));
}

}  // namespace
}  // namespace cab
