#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/common/data_directory.h"
#include "core/common/sound_length_probe.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

class DataDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ =
        fs::temp_directory_path() / ("cabview-dd-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "Train" / "Sound");
    std::ofstream(root_ / "Train" / "Sound" / "Horn.WAV") << "data";
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(DataDirectoryTest, ResolvesBackslashesAndAnyLetterCase) {
  DataDirectory data(root_);
  for (const char* path : {"Train\\Sound\\Horn.WAV", "train\\sound\\horn.wav", "TRAIN/SOUND/HORN.wav"}) {
    EXPECT_TRUE(data.exists(path)) << path;
    EXPECT_EQ(data.readBytes(path).value_or(""), "data") << path;
  }
  EXPECT_FALSE(data.exists("train\\sound\\missing.wav"));
  EXPECT_FALSE(data.readBytes("nothing\\here.wav"));
}

std::string waveHeader(std::uint32_t byteRate, std::uint32_t dataSize) {
  std::string h(44, '\0');
  auto put = [&](int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) h[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  h.replace(0, 4, "RIFF");
  h.replace(8, 8, "WAVEfmt ");
  put(28, byteRate);
  h.replace(36, 4, "data");
  put(40, dataSize);
  return h;
}

TEST(SoundLengthProbe, WholeSecondsFromTheHeader) {
  EXPECT_EQ(probeSoundLength(waveHeader(44100, 44100 * 5 + 100)).seconds, 5);
  EXPECT_EQ(probeSoundLength(waveHeader(22050, 1000)).seconds, 0);
  EXPECT_TRUE(probeSoundLength(waveHeader(22050, 1000)).error.empty());
  EXPECT_FALSE(probeSoundLength("RIFF").error.empty());               // shorter than the header
  EXPECT_FALSE(probeSoundLength(waveHeader(0, 1000)).error.empty());  // no byte rate: no division by zero
}

}  // namespace
}  // namespace cab
