#include "core/data/sound_bank_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "core/common/data_directory.h"
#include "core/data/data_error.h"
#include "core/data/route_data.h"
#include "core/data/vehicle_spec.h"
#include "core/platform/status_sink.h"
#include "core/sound/sound_mixer.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

class RecordingStatus : public StatusSink {
 public:
  void progress(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

// A 16-bit mono WAVE of `frames` samples at `rate` with a canonical header.
std::string waveFile(int rate, int frames) {
  std::string b;
  const auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 0xFF);
  };
  const auto u16 = [&](unsigned v) {
    b += char(v & 0xFF);
    b += char(v >> 8);
  };
  b += "RIFF";
  u32(36 + 2 * frames);
  b += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  b += "data";
  u32(2 * frames);
  b.append(std::size_t(2 * frames), '\0');
  return b;
}

// A data directory with a vehicle folder; sounds are written into either.
class SoundBankLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-sounds-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_ / "Car" / "Sound");
    fs::create_directories(root_ / "Route");
  }
  void TearDown() override { fs::remove_all(root_); }

  void write(const fs::path& file, const std::string& bytes) { std::ofstream(root_ / file, std::ios::binary) << bytes; }

  // Drive sounds, route sounds and engine sounds as the layout test names them.
  void addDriveSound(const std::string& name) { vehicle_.DriveSound[std::size_t(vehicle_.DriveSoundCount++)] = name; }
  void addRouteSound(const std::string& name) { route_.SoundData[std::size_t(route_.SoundDataCount++)] = name; }
  void addEngineSound1(const std::string& name) {
    vehicle_.EngineSound1[std::size_t(vehicle_.EngineSound1Count++)].index = name;
  }
  void addEngineSound3(const std::string& name) {
    vehicle_.EngineSound3[std::size_t(vehicle_.EngineSound3Count++)].index = name;
  }

  SoundBank load() {
    const DataDirectory data(root_);
    return loadSoundBank(SoundSources{data, vehicleDirectory_, vehicle_, route_}, mixer_, status_);
  }
  std::string haltText() {
    try {
      load();
    } catch (const DataError& e) {
      return e.what();
    }
    return "";
  }

  fs::path root_;
  std::string vehicleDirectory_ = "car\\";
  VehicleSpec vehicle_;
  RouteData route_;
  SoundMixer mixer_;
  RecordingStatus status_;
};

// Vehicle sounds from channel 0 (an empty row keeps its channel), route
// sounds after them, then the two engine tables; the call-out channel comes
// one after the last engine sound. Lengths are whole seconds of the header.
TEST_F(SoundBankLoaderTest, ChannelsFollowTheLayoutAndLengthsComeFromTheHeader) {
  write("Car/Sound/Run.wav", waveFile(22050, 22050 * 2 + 100));
  write("Car/Sound/Motor.wav", waveFile(11025, 11025));
  write("Route/Bell.wav", waveFile(44100, 44100 * 3));
  addDriveSound("sound\\run.wav");
  addDriveSound("");
  addDriveSound("SOUND\\RUN.WAV");
  addRouteSound("route\\bell.wav");
  addRouteSound("");
  addEngineSound1("sound\\motor.wav");
  addEngineSound1("sound\\motor.wav");
  addEngineSound3("sound\\motor.wav");
  const SoundBank bank = load();

  EXPECT_EQ(bank.routeBase(), 3);
  EXPECT_EQ(bank.engineBase1(), 5);
  EXPECT_EQ(bank.engineBase3(), 7);
  EXPECT_EQ(bank.calloutChannel(), 9);
  EXPECT_EQ(bank.driveSeconds, (std::vector<int>{2, 0, 2}));
  EXPECT_EQ(bank.envSeconds, (std::vector<int>{3, 0}));
  const std::vector<bool> loaded{true, false, true, true, false, true, true, true, false, false};
  for (int c = 0; c < int(loaded.size()); ++c) EXPECT_EQ(mixer_.hasWave(c), loaded[std::size_t(c)]) << c;
  EXPECT_EQ(mixer_.sourceRate(0), 22050);
  EXPECT_EQ(mixer_.sourceRate(3), 44100);
  EXPECT_EQ(mixer_.sourceRate(5), 11025);
  EXPECT_EQ(bank.engineGain1, (std::vector<std::array<long double, 2>>(2, {1, 1})));
  EXPECT_EQ(bank.engineGain3.size(), 1u);
  EXPECT_EQ(bank.loadedSoundCount(), 3);
  EXPECT_EQ(status_.texts,
            (std::vector<std::string>{"DirectSoundオブジェクトを作成しています(走行音)",
                                      "DirectSoundオブジェクトを作成しています(環境音)",
                                      "DirectSoundオブジェクトを作成しています(喚呼)", "サウンドを読み込んでいます"}));
}

TEST_F(SoundBankLoaderTest, WithoutRouteSoundsTheEngineSoundsFollowTheVehicleSounds) {
  write("Car/Sound/Run.wav", waveFile(22050, 100));
  addDriveSound("sound\\run.wav");
  addDriveSound("sound\\run.wav");
  addEngineSound1("sound\\run.wav");
  const SoundBank bank = load();
  EXPECT_EQ(bank.engineBase1(), 2);
  EXPECT_TRUE(mixer_.hasWave(2));
  EXPECT_FALSE(mixer_.hasWave(3));
}

// Call-out slots 0 … 39: "[KankoSound1]" fills the first 22, the
// "[KankoSound2]" rows take the slots from 22 on; the other call-out lists
// keep their rows, empty ones without a sound.
TEST_F(SoundBankLoaderTest, CallOutsFillTheirSlots) {
  write("Route/Bell.wav", waveFile(22050, 100));
  route_.KankoSound1[0] = "route\\bell.wav";
  route_.KankoSound1[21] = "route\\bell.wav";
  route_.Kanko[22].filename = "route\\bell.wav";
  route_.Kanko[24].filename = "route\\bell.wav";
  route_.KankoCount = 25;
  route_.OtherKanko[1] = "route\\bell.wav";
  route_.OtherKankoCount = 2;
  route_.LimitKanko[0] = "route\\bell.wav";
  route_.LimitKankoCount = 1;
  const SoundBank bank = load();
  ASSERT_EQ(bank.calloutWaves.size(), 40u);
  for (std::size_t k = 0; k < 40; ++k)
    EXPECT_EQ(bank.calloutWaves[k] != nullptr, k == 0 || k == 21 || k == 22 || k == 24) << k;
  ASSERT_EQ(bank.otherCalloutWaves.size(), 2u);
  EXPECT_FALSE(bank.otherCalloutWaves[0]);
  EXPECT_TRUE(bank.otherCalloutWaves[1]);
  ASSERT_EQ(bank.limitCalloutWaves.size(), 1u);
  EXPECT_EQ(bank.loadedSoundCount(), 6);
  EXPECT_FALSE(mixer_.hasWave(bank.calloutChannel()));  // the queue binds it when it plays
}

// A missing file halts with its folder and name; so does one that is no
// playable WAVE, with the reason.
TEST_F(SoundBankLoaderTest, AMissingOrUnplayableFileHaltsTheLoad) {
  write("Car/Sound/Text.wav", "not a sound at all");
  write("Car/Sound/Run.wav", waveFile(22050, 100));
  struct Case {
    std::function<void()> setUp;
    std::string message;
  };
  const std::vector<Case> cases{
      {[&] { addDriveSound("sound\\horn.wav"); }, "car\\sound\\horn.wavが見つかりません"},
      {[&] { addDriveSound("sound\\text.wav"); }, "car\\sound\\text.wavを読み込めません(RIFF WAVE形式ではありません)"},
      {[&] { addRouteSound("route\\missing.wav"); }, "route\\missing.wavが見つかりません"},
      {[&] { route_.KankoSound1[3] = "kanko\\teishi.wav"; }, "kanko\\teishi.wavが見つかりません"},
      {[&] { addEngineSound3("sound\\gear.wav"); }, "car\\sound\\gear.wavが見つかりません"},
  };
  for (const Case& c : cases) {
    vehicle_ = VehicleSpec{};
    route_ = RouteData{};
    c.setUp();
    EXPECT_EQ(haltText(), c.message);
  }
  // The built-in train's sounds lie in the data directory itself.
  vehicle_ = VehicleSpec{};
  route_ = RouteData{};
  vehicleDirectory_ = "";
  addDriveSound("sound\\horn.wav");
  EXPECT_EQ(haltText(), "sound\\horn.wavが見つかりません");
}

}  // namespace
}  // namespace cab
