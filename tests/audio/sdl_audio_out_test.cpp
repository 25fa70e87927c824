#include "backends/audio-sdl/sdl_audio_out.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "core/sound/sound_mixer.h"

namespace cab {
namespace {

// Waits for `done`, giving up after a generous while so a broken device fails
// the test instead of hanging it.
bool eventually(const std::function<bool()>& done) {
  for (int i = 0; i < 2000; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class SdlAudioOutTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  void TearDown() override { unsetenv("SDL_AUDIODRIVER"); }
};

TEST_F(SdlAudioOutTest, PullsStereoFramesUntilTheSourceIsDetached) {
  SdlAudioOut out;
  EXPECT_EQ(out.driver(), "dummy");
  EXPECT_EQ(out.outputRate(), 44100);
  std::atomic<long> frames = 0;
  out.setSource([&](float* buffer, int count) {
    std::fill(buffer, buffer + 2 * count, 0.25f);
    frames += count;
  });
  ASSERT_TRUE(eventually([&] { return frames > 4096; }));
  out.setSource({});
  const long atDetach = frames;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(frames, atDetach) << "a detached source is not called again";
}

// With SDL's dummy driver the mixer is still pulled, so a one-shot ends.
TEST_F(SdlAudioOutTest, AMixerOnTheDevicePlaysASoundToItsEnd) {
  SdlAudioOut out;
  SoundMixer mixer(out.outputRate());
  auto wave = std::make_shared<Wave>();
  wave->sampleRate = 22050;
  wave->channelCount = 1;
  wave->samples.assign(2205, 0.5f);
  mixer.bind(0, wave);
  out.setSource([&](float* buffer, int count) { mixer.render(buffer, count); });
  mixer.play(0);
  EXPECT_TRUE(eventually([&] { return !mixer.isPlaying(0); }));
  out.setSource({});
  EXPECT_GE(mixer.renderedFrames(), 4410);
}

TEST_F(SdlAudioOutTest, ADriverThatCannotOpenFallsBackToTheDummyWithOneNotice) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ::testing::internal::CaptureStderr();
  std::string notice;
  {
    SdlAudioOut out;
    notice = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.driver(), "dummy");
    std::atomic<long> frames = 0;
    out.setSource([&](float*, int count) { frames += count; });
    EXPECT_TRUE(eventually([&] { return frames > 0; }));
    out.setSource({});
  }
  EXPECT_EQ(notice.rfind("message: サウンドデバイスを開けません", 0), 0u) << notice;
  EXPECT_EQ(std::count(notice.begin(), notice.end(), '\n'), 1);
}

// The window program still ends on SIGINT and SIGTERM with the device open.
TEST_F(SdlAudioOutTest, LeavesTheTerminationSignalsAlone) {
  SdlAudioOut out;
  for (const int signal : {SIGINT, SIGTERM}) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
  }
}

}  // namespace
}  // namespace cab
