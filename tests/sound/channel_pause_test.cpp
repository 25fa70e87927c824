#include "core/sound/channel_pause.h"

#include <gtest/gtest.h>

namespace cab {
namespace {

// A pause silences what sounds and the resume starts it again from its
// beginning: a loop as a loop, a one-shot once; silent channels stay silent.
TEST(ChannelPause, ResumeRestartsWhatSoundedFromTheBeginning) {
  SoundMixer m(44100);
  auto wave = std::make_shared<Wave>();
  wave->sampleRate = 44100;
  wave->channelCount = 1;
  wave->samples.assign(100, 0.1f);
  for (int c : {0, 1, 2, 319}) m.bind(c, wave);
  m.play(0);
  m.loop(1);
  m.loop(319);
  std::vector<float> out(2 * 60);
  m.render(out.data(), 60);

  const ChannelResume resume = pauseChannels(m);
  EXPECT_EQ((std::array{resume[0], resume[1], resume[2], resume[3], resume[319]}), (std::array{1, 2, 0, 0, 2}));
  for (int c : {0, 1, 319}) EXPECT_FALSE(m.isPlaying(c)) << c;

  resumeChannels(m, resume);
  EXPECT_TRUE(m.isPlaying(0));
  EXPECT_FALSE(m.isLooping(0));
  EXPECT_TRUE(m.isLooping(1));
  EXPECT_TRUE(m.isLooping(319));
  EXPECT_FALSE(m.isPlaying(2));
  m.render(out.data(), 60);
  EXPECT_TRUE(m.isPlaying(0)) << "the one-shot began again: 60 of its 100 frames have played";
  m.render(out.data(), 40);
  EXPECT_FALSE(m.isPlaying(0));

  stopChannels(m);
  for (int c : {1, 319}) EXPECT_FALSE(m.isPlaying(c)) << c;
}

}  // namespace
}  // namespace cab
