#include "core/route/callouts/callout_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/callouts/callout_rig.h"

namespace cab {
namespace {

using testing::MixerLog;
using testing::RecordingDialogs;
using testing::waveOf;

constexpr int Channel = 17;

// The queue driven once a tick on the real mixer, which then renders the tick.
struct QueueRig {
  MixerLog log;
  RecordingDialogs dialogs;
  CalloutQueue queue;
  bool calloutsOff = false;
  int channel = Channel;

  void tick() {
    kanko_queue_play(queue, log.mixer, channel, calloutsOff, dialogs);
    log.advance();
  }
  int waiting() const {
    return static_cast<int>(std::count_if(queue.waves.begin(), queue.waves.end(), [](const WavePtr& w) { return w; }));
  }
};

TEST(CalloutQueue, CalloutsRaisedTogetherPlayOneAfterAnotherInOrder) {
  QueueRig r;
  const std::vector<WavePtr> waves{waveOf(250), waveOf(150), waveOf(100)};
  for (const WavePtr& w : waves) kanko_queue_add(r.queue, w);
  for (int i = 0; i < 10; ++i) r.tick();

  const auto starts = r.log.startsOn(Channel);
  ASSERT_EQ(starts.size(), 3u);
  // Each starts on the first tick after the one before has ended: 250 ms
  // take three ticks, 150 ms two.
  const int expectedTick[] = {0, 3, 5};
  for (std::size_t i = 0; i < starts.size(); ++i) {
    EXPECT_EQ(starts[i].wave, waves[i].get()) << i;
    EXPECT_EQ(starts[i].tick, expectedTick[i]) << i;
  }
  EXPECT_EQ(r.waiting(), 0);
  EXPECT_TRUE(r.dialogs.messages.empty());
}

TEST(CalloutQueue, AThirteenthCalloutIsLost) {
  QueueRig r;
  std::vector<WavePtr> waves;
  for (int i = 0; i < 13; ++i) waves.push_back(waveOf(100));
  for (const WavePtr& w : waves) kanko_queue_add(r.queue, w);
  EXPECT_EQ(r.waiting(), 12);
  for (int i = 0; i < 40; ++i) r.tick();

  const auto starts = r.log.startsOn(Channel);
  ASSERT_EQ(starts.size(), 12u);
  for (std::size_t i = 0; i < starts.size(); ++i) EXPECT_EQ(starts[i].wave, waves[i].get()) << i;
}

TEST(CalloutQueue, AnEmptyQueueLeavesTheChannelAlone) {
  // Another sound looping on the channel keeps looping.
  QueueRig r;
  r.log.mixer.bind(Channel, waveOf(50));
  r.log.mixer.loop(Channel);
  for (int i = 0; i < 5; ++i) r.tick();
  EXPECT_TRUE(r.log.mixer.isLooping(Channel));
  EXPECT_EQ(r.log.startsOn(Channel).size(), 1u);

  // Not even asked: a channel number the mixer would refuse raises no message.
  QueueRig invalid;
  std::vector<std::string> mixerMessages;
  invalid.log.mixer.setMessageSink([&](const std::string& m) { mixerMessages.push_back(m); });
  invalid.channel = SoundMixer::ChannelCount;
  for (int i = 0; i < 5; ++i) invalid.tick();
  EXPECT_TRUE(mixerMessages.empty());
  EXPECT_TRUE(invalid.dialogs.messages.empty());
}

TEST(CalloutQueue, SwitchedOffTheQueueDrainsOneEntryATickInSilence) {
  QueueRig r;
  r.calloutsOff = true;
  for (int i = 0; i < 5; ++i) kanko_queue_add(r.queue, waveOf(300));
  // The first tick binds the head; each later one drops it and binds the next.
  std::vector<int> waiting;
  for (int i = 0; i < 6; ++i) {
    r.tick();
    waiting.push_back(r.waiting());
  }
  EXPECT_EQ(waiting, (std::vector<int>{5, 4, 3, 2, 1, 0}));
  EXPECT_TRUE(r.log.startsOn(Channel).empty());
}

TEST(CalloutQueue, AFailedPlaybackIsShownAndTheSameHeadTriedAgain) {
  QueueRig r;
  std::vector<std::string> mixerMessages;
  r.log.mixer.setMessageSink([&](const std::string& m) { mixerMessages.push_back(m); });
  r.channel = SoundMixer::ChannelCount;  // one past the last channel
  const WavePtr head = waveOf(100);
  kanko_queue_add(r.queue, head);
  r.tick();
  r.tick();
  EXPECT_EQ(r.dialogs.messages, (std::vector<std::string>{"喚呼の再生エラー", "喚呼の再生エラー"}));
  ASSERT_FALSE(mixerMessages.empty());
  EXPECT_EQ(mixerMessages.front(), "チャンネル番号320は無効です、0～319の範囲で指定してください");
  EXPECT_FALSE(r.queue.calloutPlaying);
  EXPECT_EQ(r.queue.waves.front(), head);
}

}  // namespace
}  // namespace cab
