// A scripted drive on the demo's east line in this process, on the virtual
// clock as the headless runner drives it: what the call-out channel plays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/shell/display_options_store.h"
#include "core/shell/drive.h"
#include "headless/headless_platform.h"
#include "headless/mixer_advance.h"
#include "headless/script.h"
#include "tests/callouts/callout_rig.h"
#include "tests/demo/demo_set.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// The drive with the headless runner's platform; every channel start is kept.
struct DemoDrive {
  // The options come from `store`, else from an empty store (the defaults).
  explicit DemoDrive(const std::string& routeFile, SettingsStore* store = nullptr)
      : drive(DataDirectory(testing::demoDir()),
              DrivePlatform{dialogs, store ? *store : settings, clock, status, surface, window, pictures, video},
              DriveRequest{routeFile, "", "train_E231.dat", 0, std::nullopt}) {
    drive.sound->setStartObserver([this](const SoundMixer::Start& s) { starts.push_back(s); });
    drive.FormCreate();
    sound = std::make_unique<headless::MixerAdvance>(*drive.sound, nullptr);
  }

  // Runs the script's key actions until `endMs`: every millisecond the mixer
  // catches up, the actions due are handled, a frame may run, the tick runs
  // every 100 ms once the timer is on, and then `afterMs`.
  void run(const fs::path& scriptFile, long long endMs, const std::function<void(long long)>& afterMs = {}) {
    std::ifstream in(scriptFile);
    const headless::Script script = headless::parseScript(in);
    std::size_t next = 0;
    long long nextTick = -1;
    for (long long t = 0; t <= endMs && !drive.closed(); ++t) {
      clock.setMs(t);
      sound->advanceTo(t);
      for (; next < script.actions.size() && script.actions[next].atMs <= t; ++next) perform(script.actions[next]);
      drive.handle(drive_event::Frame{});
      if (!drive.timer1Enabled()) {
        nextTick = -1;
      } else if (nextTick < 0) {
        nextTick = t + 100;
      } else if (t >= nextTick) {
        nextTick += 100;
        drive.handle(drive_event::Tick{});
      }
      if (afterMs) afterMs(t);
    }
  }
  void perform(const headless::ScriptAction& a) {
    using headless::ActionKind;
    ASSERT_TRUE(a.kind == ActionKind::Char || a.kind == ActionKind::Down || a.kind == ActionKind::Up) << a.line;
    if (a.kind == ActionKind::Char) drive.handle(drive_event::Character{a.character});
    if (a.kind == ActionKind::Down) drive.handle(drive_event::KeyDown{a.keyCode});
    if (a.kind == ActionKind::Up) drive.handle(drive_event::KeyUp{a.keyCode});
  }

  std::vector<SoundMixer::Start> startsOn(int channel) const {
    std::vector<SoundMixer::Start> on;
    for (const SoundMixer::Start& s : starts)
      if (s.channel == channel) on.push_back(s);
    return on;
  }

  headless::VirtualClock clock;
  headless::StderrDialogs dialogs;
  headless::MemorySettingsStore settings;
  headless::SilentStatus status;
  headless::NullSurface surface;
  PictureDecoder pictures;
  FfmpegVideoSource video;
  headless::HeadlessWindow window{[this] { drive.FormCloseQuery(); }};
  std::vector<SoundMixer::Start> starts;
  Drive drive;
  std::unique_ptr<headless::MixerAdvance> sound;
};

const fs::path Script = fs::path(CABVIEW_FIXTURES) / "demo_drives" / "east1_callouts.txt";
constexpr long long DriveMs = 80000;  // past the 400 m point

TEST(CalloutDemoDrive, CalloutsPlayInTheOrderRaisedOneAfterAnother) {
  DemoDrive d("line_Local_East1.dat");
  d.run(Script, DriveMs);
  const SoundBank& bank = d.drive.soundBank;
  const auto starts = d.startsOn(bank.calloutChannel());

  std::vector<std::string> heard;
  for (const auto& s : starts) heard.push_back(testing::nameOf(bank, s.wave));
  const std::vector<std::string> expected{"slot 18",  // departure from 霞野 on time
                                          "slot 19",  // doors closed
                                          "slot 22", "slot 4", "slot 6",
                                          "slot 22", "slot 4", "slot 6",  // sub-signal, proceed, 19 s late: twice
                                          "slot 20",                      // the first power
                                          "other 1",                      // the whistle sign, once
                                          "slot 21"};                     // the level crossing
  EXPECT_EQ(heard, expected);

  // None overlaps the one before; the six raised together at the starting
  // signal each begin on the first tick after the one before has ended.
  ASSERT_EQ(starts.size(), expected.size());
  const int rate = d.drive.sound->outputRate();
  for (std::size_t i = 1; i < starts.size(); ++i) {
    const Wave& before = *starts[i - 1].wave;
    const std::int64_t end =
        starts[i - 1].frame + static_cast<std::int64_t>(before.frameCount()) * rate / before.sampleRate;
    const std::int64_t gap = starts[i].frame - end;
    EXPECT_GE(gap, 0) << heard[i] << " overlaps " << heard[i - 1];
    if (i >= 3 && i <= 7) {
      EXPECT_LT(gap, rate / 10) << heard[i] << " waited after " << heard[i - 1];
    }
  }
  EXPECT_EQ(d.drive.callouts.queue.waves[0], nullptr);

  // On its own channel, the announcement of the next stop 400 m out of 霞野.
  const AnnounceData& next = d.drive.route.Announce[1];
  ASSERT_EQ(next.kind, 0);
  ASSERT_EQ(next.offset, 400);
  EXPECT_EQ(d.startsOn(d.drive.routeSounds.channel(next.sound)).size(), 1u);
  EXPECT_TRUE(d.drive.callouts.announceDone[1]);
}

TEST(CalloutDemoDrive, TheJumpDropsTheCalloutsWaiting) {
  DemoDrive d("line_Local_East1.dat");
  const CalloutQueue& queue = d.drive.callouts.queue;
  const int channel = d.drive.soundBank.calloutChannel();
  // Just after the two presses at the starting signal the first call-out
  // plays and five wait; the jump to 潮見坂 silences it and drops them.
  d.run(Script, 20200, [&](long long t) {
    if (t != 20200) return;
    ASSERT_TRUE(d.drive.sound->isPlaying(channel));
    ASSERT_NE(queue.waves[4], nullptr);
    ASSERT_TRUE(d.drive.handle(drive_event::Move{1}));
    EXPECT_FALSE(d.drive.sound->isPlaying(channel));
    for (const WavePtr& w : queue.waves) EXPECT_EQ(w, nullptr);
  });
}

TEST(CalloutDemoDrive, SwitchedOffNothingIsHeard) {
  headless::MemorySettingsStore store;
  writeDisplayOptions(store, DisplayOptions{1, 1, 0, 0, 1});
  DemoDrive d("line_Local_East1.dat", &store);
  d.run(Script, DriveMs);
  const int channel = d.drive.soundBank.calloutChannel();
  EXPECT_TRUE(d.startsOn(channel).empty());
  // The call-outs were raised and went through the queue in silence.
  EXPECT_TRUE(d.drive.sound->hasWave(channel));
  EXPECT_EQ(d.drive.callouts.queue.waves[0], nullptr);
}

}  // namespace
}  // namespace cab
