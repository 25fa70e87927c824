#include "core/sound/sound_mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>

namespace cab {
namespace {

constexpr int OutputRate = 44100;

std::shared_ptr<const Wave> makeWave(int rate, int channels, std::vector<float> samples) {
  auto w = std::make_shared<Wave>();
  w->sampleRate = rate;
  w->channelCount = channels;
  w->samples = std::move(samples);
  return w;
}

// `seconds` of a mono sine at `hz`, sampled at `rate`.
std::shared_ptr<const Wave> sine(int rate, double hz, double seconds, float amplitude = 0.5f) {
  std::vector<float> s(std::size_t(rate * seconds));
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] = amplitude * float(std::sin(2 * std::numbers::pi * hz * double(i) / rate));
  return makeWave(rate, 1, std::move(s));
}

std::vector<float> render(SoundMixer& m, int frames) {
  std::vector<float> out(std::size_t(frames) * 2);
  m.render(out.data(), frames);
  return out;
}

// Rising zero crossings of one side of an interleaved stereo buffer.
int risingCrossings(const std::vector<float>& stereo, int side) {
  int count = 0;
  for (std::size_t i = 2 + std::size_t(side); i < stereo.size(); i += 2)
    if (stereo[i - 2] <= 0 && stereo[i] > 0) ++count;
  return count;
}

double rms(const std::vector<float>& stereo, int side) {
  double sum = 0;
  for (std::size_t i = std::size_t(side); i < stereo.size(); i += 2) sum += double(stereo[i]) * stereo[i];
  return std::sqrt(sum / double(stereo.size() / 2));
}

TEST(SoundMixer, FrequencySetsThePlaybackRateAcrossSourceAndOutputRates) {
  struct Case {
    int sourceRate;
    double ratio;
    double expectedHz;
  };
  for (const Case c : {Case{22050, 1.5, 1500}, Case{22050, 1.0, 1000}, Case{44100, 0.5, 500}, Case{11025, 2.0, 2000}}) {
    SCOPED_TRACE(c.sourceRate);
    SoundMixer m(OutputRate);
    m.bind(0, sine(c.sourceRate, 1000, 1));
    ASSERT_EQ(m.sourceRate(0), c.sourceRate);
    m.setFrequency(0, int(m.sourceRate(0) * c.ratio));
    m.loop(0);
    const auto out = render(m, OutputRate);
    EXPECT_NEAR(risingCrossings(out, 0), c.expectedHz, 2);
    EXPECT_NEAR(risingCrossings(out, 1), c.expectedHz, 2);
  }
}

TEST(SoundMixer, VolumeIsInHundredthsOfADecibel) {
  struct Case {
    int volume;
    double factor;
  };
  SoundMixer full(OutputRate);
  full.bind(0, sine(OutputRate, 441, 1));
  full.loop(0);
  const double reference = rms(render(full, OutputRate), 0);
  for (const Case c : {Case{-600, 0.5}, Case{-2000, 0.1}, Case{-10000, 0}, Case{-20000, 0}, Case{500, 1}}) {
    SCOPED_TRACE(c.volume);
    SoundMixer m(OutputRate);
    m.bind(0, sine(OutputRate, 441, 1));
    m.setVolume(0, c.volume);
    m.loop(0);
    EXPECT_NEAR(rms(render(m, OutputRate), 0) / reference, c.factor, c.factor * 0.01 + 1e-9);
  }
}

// Output frames step half a source frame: the values in between are interpolated.
TEST(SoundMixer, ResamplesByLinearInterpolation) {
  SoundMixer m(OutputRate);
  m.bind(3, makeWave(OutputRate / 2, 1, {0.0f, 0.4f, -0.4f}));
  m.play(3);
  const auto out = render(m, 7);
  const std::vector<float> left{out[0], out[2], out[4], out[6], out[8], out[10], out[12]};
  const std::vector<float> expected{0.0f, 0.2f, 0.4f, 0.0f, -0.4f, -0.4f, 0.0f};
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(left[i], expected[i], 1e-6f) << i;
}

TEST(SoundMixer, StereoSourcesKeepTheirSidesAndMonoGoesToBoth) {
  SoundMixer m(OutputRate);
  m.bind(0, makeWave(OutputRate, 2, {0.5f, -0.25f, 0.5f, -0.25f}));
  m.bind(1, makeWave(OutputRate, 1, {0.125f, 0.125f}));
  m.play(0);
  m.play(1);
  const auto out = render(m, 1);
  EXPECT_FLOAT_EQ(out[0], 0.625f);
  EXPECT_FLOAT_EQ(out[1], -0.125f);
}

TEST(SoundMixer, AOneShotEndsOnItsLastFrameAndPlaysAgainFromTheStart) {
  SoundMixer m(OutputRate);
  m.bind(5, makeWave(OutputRate, 1, std::vector<float>(100, 0.5f)));
  EXPECT_FALSE(m.isPlaying(5));
  m.play(5);
  EXPECT_TRUE(m.isPlaying(5));
  EXPECT_FALSE(m.isLooping(5));
  render(m, 99);
  EXPECT_TRUE(m.isPlaying(5));
  auto out = render(m, 1);
  EXPECT_FLOAT_EQ(out[0], 0.5f);
  EXPECT_FALSE(m.isPlaying(5));
  out = render(m, 1);
  EXPECT_EQ(out[0], 0.0f);
  m.play(5);
  render(m, 99);
  EXPECT_TRUE(m.isPlaying(5)) << "a second play starts from the beginning";
}

TEST(SoundMixer, ALoopGoesRoundUntilStopped) {
  SoundMixer m(OutputRate);
  // A ramp of 10 frames: every 10th output frame is back at its first value.
  std::vector<float> ramp;
  for (int i = 0; i < 10; ++i) ramp.push_back(0.05f * float(i));
  m.bind(2, makeWave(OutputRate, 1, ramp));
  m.loop(2);
  EXPECT_TRUE(m.isLooping(2));
  const auto out = render(m, 1000);
  for (int k = 0; k < 1000; ++k) ASSERT_NEAR(out[2 * std::size_t(k)], ramp[std::size_t(k % 10)], 1e-6f) << k;
  EXPECT_TRUE(m.isPlaying(2));
  m.stop(2);
  EXPECT_FALSE(m.isPlaying(2));
  EXPECT_EQ(render(m, 4), std::vector<float>(8, 0.0f));
}

// Play on a sounding channel switches it to once without going back to the start;
// stop then play (a restart) does go back.
TEST(SoundMixer, PlayAndLoopOnASoundingChannelOnlySwitchTheMode) {
  SoundMixer m(OutputRate);
  m.bind(0, makeWave(OutputRate, 1, std::vector<float>(10, 0.5f)));
  m.loop(0);
  render(m, 15);
  m.play(0);
  EXPECT_FALSE(m.isLooping(0));
  render(m, 5);
  EXPECT_FALSE(m.isPlaying(0)) << "the once play ends where the loop's round ends";
  m.play(0);
  render(m, 4);
  m.loop(0);
  EXPECT_TRUE(m.isLooping(0));
  render(m, 100);
  EXPECT_TRUE(m.isPlaying(0));
  m.restart(0);
  EXPECT_FALSE(m.isLooping(0));
  render(m, 9);
  EXPECT_TRUE(m.isPlaying(0));
  render(m, 1);
  EXPECT_FALSE(m.isPlaying(0));
}

TEST(SoundMixer, SilentChannelsStillRunOutOnTime) {
  SoundMixer m(OutputRate);
  m.bind(0, makeWave(OutputRate, 1, std::vector<float>(50, 1.0f)));
  m.setVolume(0, -10000);
  m.play(0);
  EXPECT_EQ(render(m, 49), std::vector<float>(98, 0.0f));
  EXPECT_TRUE(m.isPlaying(0));
  render(m, 1);
  EXPECT_FALSE(m.isPlaying(0));
}

TEST(SoundMixer, AllChannelsAtFullVolumeStayWithinFullScale) {
  SoundMixer m(OutputRate);
  const auto loud = sine(22050, 220, 0.5, 1.0f);
  const auto square = makeWave(8000, 2, {1.0f, -1.0f, -1.0f, 1.0f});
  for (int c = 0; c < SoundMixer::ChannelCount; ++c) {
    m.bind(c, c % 2 ? loud : square);
    m.setFrequency(c, m.sourceRate(c) + c);
    m.loop(c);
  }
  const auto out = render(m, OutputRate / 4);
  float peak = 0;
  for (float x : out) {
    ASSERT_TRUE(std::isfinite(x));
    peak = std::max(peak, std::fabs(x));
  }
  EXPECT_LE(peak, 1.0f);
  EXPECT_GT(peak, 0.9f);
}

TEST(SoundMixer, ChannelsOutsideTheRangeAreReportedAndDoNothing) {
  SoundMixer m(OutputRate);
  std::vector<std::string> messages;
  m.setMessageSink([&](const std::string& text) { messages.push_back(text); });
  const auto wave = makeWave(OutputRate, 1, {1.0f});
  m.bind(320, wave);
  m.play(-1);
  m.setVolume(400, 0);
  EXPECT_FALSE(m.isPlaying(320));
  EXPECT_FALSE(m.hasWave(-5));
  m.bind(319, wave);
  EXPECT_TRUE(m.hasWave(319));
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0], "チャンネル番号320は無効です、0～319の範囲で指定してください");
  EXPECT_EQ(messages[1], "チャンネル番号-1は無効です、0～319の範囲で指定してください");
  EXPECT_EQ(messages[2], "チャンネル番号400は無効です、0～319の範囲で指定してください");
}

TEST(SoundMixer, ChannelsWithoutAWaveStaySilent) {
  SoundMixer m(OutputRate);
  m.play(7);
  m.loop(8);
  EXPECT_FALSE(m.isPlaying(7));
  EXPECT_FALSE(m.isPlaying(8));
  EXPECT_EQ(m.sourceRate(7), 0);
  EXPECT_EQ(render(m, 3), std::vector<float>(6, 0.0f));
}

TEST(SoundMixer, FrequencyIsKeptInsideWhatAChannelCanPlay) {
  SoundMixer m(OutputRate);
  m.bind(0, makeWave(22050, 1, {0.0f}));
  EXPECT_EQ(m.frequency(0), 22050);
  m.setFrequency(0, 33075);
  EXPECT_EQ(m.frequency(0), 33075);
  m.setFrequency(0, 0);
  EXPECT_EQ(m.frequency(0), 22050) << "0 is the wave's own rate";
  m.setFrequency(0, -500);
  EXPECT_EQ(m.frequency(0), 22050);
  m.setFrequency(0, 20);
  EXPECT_EQ(m.frequency(0), 100);
  m.setFrequency(0, 1000000);
  EXPECT_EQ(m.frequency(0), 200000);
}

TEST(SoundMixer, BindingGivesAFreshChannelAtTheWavesRate) {
  SoundMixer m(OutputRate);
  m.bind(0, makeWave(22050, 1, std::vector<float>(10, 0.5f)));
  m.setVolume(0, -600);
  m.setFrequency(0, 30000);
  m.loop(0);
  m.bind(0, makeWave(11025, 1, std::vector<float>(10, 0.5f)));
  EXPECT_FALSE(m.isPlaying(0));
  EXPECT_EQ(m.sourceRate(0), 11025);
  EXPECT_EQ(m.frequency(0), 11025);
  EXPECT_EQ(m.volume(0), 0);
  m.bind(0, nullptr);
  EXPECT_FALSE(m.hasWave(0));
}

TEST(SoundMixer, TheStartObserverSeesEachStartFromSilenceWithItsFrame) {
  SoundMixer m(OutputRate);
  std::vector<SoundMixer::Start> starts;
  m.setStartObserver([&](const SoundMixer::Start& s) { starts.push_back(s); });
  const auto a = makeWave(OutputRate, 1, std::vector<float>(100, 0.1f));
  const auto b = makeWave(OutputRate, 1, std::vector<float>(100, 0.1f));
  m.bind(4, a);
  m.bind(9, b);
  m.play(4);
  render(m, 30);
  m.loop(9);
  m.play(4);  // already sounding: no new start
  render(m, 200);
  m.play(4);   // ran out: starts again
  m.play(10);  // no wave
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_EQ((std::tuple{starts[0].channel, starts[0].wave, starts[0].looping, starts[0].frame}),
            (std::tuple{4, a.get(), false, std::int64_t(0)}));
  EXPECT_EQ((std::tuple{starts[1].channel, starts[1].wave, starts[1].looping, starts[1].frame}),
            (std::tuple{9, b.get(), true, std::int64_t(30)}));
  EXPECT_EQ((std::tuple{starts[2].channel, starts[2].frame}), (std::tuple{4, std::int64_t(230)}));
  EXPECT_EQ(m.renderedFrames(), 230);
}

// The audio thread renders while the drive's thread works the controls.
TEST(SoundMixer, ControlsAndRenderMayRunOnDifferentThreads) {
  SoundMixer m(OutputRate);
  const auto wave = sine(22050, 300, 0.05);
  for (int c = 0; c < SoundMixer::ChannelCount; ++c) m.bind(c, wave);
  std::atomic<bool> done = false;
  std::thread audio([&] {
    std::vector<float> out(512 * 2);
    while (!done) {
      m.render(out.data(), 512);
      for (float x : out) ASSERT_TRUE(std::isfinite(x));
    }
  });
  for (int round = 0; round < 2000 || m.renderedFrames() < 512 * 20; ++round) {
    const int c = round % SoundMixer::ChannelCount;
    if (round % 3 == 0) m.loop(c);
    if (round % 3 == 1) m.play(c);
    if (round % 5 == 0) m.stop((c + 7) % SoundMixer::ChannelCount);
    m.setFrequency(c, 11025 + round);
    m.setVolume(c, -(round % 3000));
    (void)m.isPlaying(c);
    if (round % 200 == 0) m.bind(c, sine(22050, 500, 0.02));
  }
  done = true;
  audio.join();
}

}  // namespace
}  // namespace cab
