#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/sound/sound_mixer.h"
#include "core/sound/wave.h"
#include "headless/arguments.h"
#include "headless/mixer_advance.h"
#include "headless/wave_file_writer.h"
#include "tests/headless/run_headless.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;
using headless::MixerAdvance;
using headless::WaveFileWriter;

std::vector<std::byte> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::byte> bytes(chars.size());
  std::transform(chars.begin(), chars.end(), bytes.begin(), [](char c) { return std::byte(c); });
  return bytes;
}

std::shared_ptr<const Wave> constantWave(int rate, std::size_t frames, float value) {
  auto w = std::make_shared<Wave>();
  w->sampleRate = rate;
  w->channelCount = 1;
  w->samples.assign(frames, value);
  return w;
}

// A 16-bit mono WAVE file.
void writeMonoWave(const fs::path& path, int rate, const std::vector<float>& samples) {
  std::ofstream wav(path, std::ios::binary);
  const auto le = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) wav.put(char((v >> (8 * i)) & 0xFF));
  };
  const auto data = std::uint32_t(samples.size() * 2);
  wav.write("RIFF", 4);
  le(36 + data, 4);
  wav.write("WAVEfmt ", 8);
  for (const auto& [value, size] :
       {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {unsigned(rate), 4}, {unsigned(rate) * 2, 4}, {2u, 2}, {16u, 2}})
    le(value, size);
  wav.write("data", 4);
  le(data, 4);
  for (float s : samples) le(std::uint16_t(std::int16_t(std::lrint(s * 32767))), 2);
}

// Millisecond steps never lose or gain a frame, whatever the rate per millisecond.
TEST(MixerAdvance, FollowsTheVirtualClockToTheFrame) {
  for (const int rate : {44100, 22050, 11025, 48000}) {
    SCOPED_TRACE(rate);
    SoundMixer mixer(rate);
    MixerAdvance advance(mixer, nullptr);
    const long long hour = 3'600'000;
    for (long long ms = 0; ms <= hour; ++ms) advance.advanceTo(ms);
    EXPECT_EQ(mixer.renderedFrames(), std::int64_t(rate) * 3600);
    advance.advanceTo(hour);
    EXPECT_EQ(mixer.renderedFrames(), std::int64_t(rate) * 3600) << "the same time renders nothing more";
  }
}

// A half-second sound started at 100 ms sounds until 600 ms on the simulated clock.
TEST(MixerAdvance, AOneShotEndsOnTheSimulatedClock) {
  SoundMixer mixer(44100);
  MixerAdvance advance(mixer, nullptr);
  mixer.bind(0, constantWave(22050, 11025, 0.5f));
  advance.advanceTo(100);
  mixer.play(0);
  for (long long ms = 101; ms < 600; ++ms) {
    advance.advanceTo(ms);
    ASSERT_TRUE(mixer.isPlaying(0)) << ms;
  }
  advance.advanceTo(600);
  EXPECT_FALSE(mixer.isPlaying(0));
}

TEST(WaveFileWriter, WritesSixteenBitStereoThatDecodesBack) {
  const fs::path file = fs::temp_directory_path() / "cabview-wave-writer.wav";
  WaveFileWriter writer;
  ASSERT_TRUE(writer.open(file.string(), 44100));
  const std::vector<float> first{0.5f, -0.5f, 1.0f, -1.0f};
  const std::vector<float> second{2.0f, -3.0f, 0.0f, 0.25f, 1e-6f, -1e-6f};
  writer.append(first.data(), 2);
  writer.append(second.data(), 3);
  ASSERT_TRUE(writer.finish());

  const std::vector<std::byte> bytes = readFile(file);
  fs::remove(file);
  ASSERT_EQ(bytes.size(), 44u + 5 * 4);
  std::string error;
  const auto wave = decodeWave(bytes, &error);
  ASSERT_TRUE(wave) << error;
  EXPECT_EQ(wave->sampleRate, 44100);
  EXPECT_EQ(wave->channelCount, 2);
  const std::vector<float> expected{0.5f, -0.5f, 1.0f, -1.0f, 1.0f, -1.0f, 0.0f, 0.25f, 0.0f, 0.0f};
  ASSERT_EQ(wave->samples.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(wave->samples[i], expected[i], 1.0f / 32768) << i;
  // RIFF size and data size in the header.
  const auto le32 = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | std::to_integer<std::uint32_t>(bytes[at + std::size_t(k)]);
    return v;
  };
  EXPECT_EQ(le32(4), 36u + 20u);
  EXPECT_EQ(le32(40), 20u);
}

class HeadlessAudioOut : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-audio-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_);
    std::ofstream(root_ / "vantorel.dat") << "[Disp]\n30,1\n0\n64\n48\n0\n";
    testing::writeMinimalRoute(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string baseArgs() const {
    return "--data " + testing::quoted(root_) + " --route line_Local_East1.dat --vehicle train_E231.dat";
  }
  fs::path root_;
};

// The horn key "9" starts and stops a looped horn; the written mix is silent
// before and after it, sounds while it blows, and holds 44.1 frames per
// simulated millisecond.
TEST_F(HeadlessAudioOut, WritesTheWholeMixOfTheDriveOnTheVirtualClock) {
  // 0.1 s of a 441 Hz tone, looped while the horn blows.
  std::vector<float> horn(2205);
  for (std::size_t i = 0; i < horn.size(); ++i) horn[i] = 0.4f * float(std::sin(2 * M_PI * 441 * double(i) / 22050));
  // The horn on channel 20, above the rail noise's channels; the vehicle's
  // other sound keys point at channel 0. Those all stay silent.
  std::string driveSounds;
  for (int c = 0; c < 20; ++c) driveSounds += "quiet.wav\n";
  std::ofstream(root_ / "train_E231.dat") << testing::MinimalVehicleText << "[DriveSound]\n"
                                          << driveSounds << "horn.wav\n#\n[Sound_Horn3]\n20\n";
  writeMonoWave(root_ / "horn.wav", 22050, horn);
  writeMonoWave(root_ / "quiet.wav", 22050, std::vector<float>(100, 0.0f));
  std::ofstream(root_ / "s.txt") << "0.5 char 9\n1.5 char 9\n";
  const fs::path out = root_ / "mix.wav";
  const auto r = testing::runHeadless(baseArgs() + " --script " + testing::quoted(root_ / "s.txt") +
                                      " --seconds 2.5 --audio-out " + testing::quoted(out));
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.err.find("チャンネル"), std::string::npos) << r.err;
  std::string error;
  const auto mix = decodeWave(readFile(out), &error);
  ASSERT_TRUE(mix) << error;
  EXPECT_EQ(mix->sampleRate, 44100);
  EXPECT_EQ(mix->channelCount, 2);
  ASSERT_EQ(mix->frameCount(), 2500u * 441 / 10);

  const auto peakBetween = [&](double from, double to) {
    float peak = 0;
    for (auto f = std::size_t(from * 44100); f < std::size_t(to * 44100); ++f)
      peak = std::max({peak, std::fabs(mix->samples[2 * f]), std::fabs(mix->samples[2 * f + 1])});
    return peak;
  };
  EXPECT_EQ(peakBetween(0, 0.5), 0.0f);
  EXPECT_NEAR(peakBetween(0.5, 1.5), 0.4f, 0.01f);
  EXPECT_EQ(peakBetween(1.501, 2.5), 0.0f);
}

TEST_F(HeadlessAudioOut, AnUnwritableFileEndsTheRunBeforeItStarts) {
  testing::writeMinimalVehicle(root_);
  const auto r =
      testing::runHeadless(baseArgs() + " --seconds 1 --audio-out " + testing::quoted(root_ / "no" / "mix.wav"));
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_NE(r.err.find("cannot write audio"), std::string::npos) << r.err;
}

TEST(HeadlessAudioOutOption, IsParsedAndNamedInTheUsage) {
  const char* argv[] = {"cabview-headless", "--data", "d", "--route", "r", "--vehicle", "v", "--audio-out", "m.wav"};
  std::string error;
  const auto options = headless::parseArguments(9, const_cast<char**>(argv), error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->audioOutFile, "m.wav");
  EXPECT_NE(std::string(headless::UsageText).find("[--audio-out FILE.wav]"), std::string::npos);
}

}  // namespace
}  // namespace cab
