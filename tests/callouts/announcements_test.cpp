#include "core/route/callouts/announcements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/route_data.h"
#include "core/route/callouts/callout_state.h"
#include "core/route/operation_state.h"
#include "core/route/stations/station_state.h"
#include "core/route/stations/stations.h"
#include "core/vehicle/train_state.h"
#include "tests/callouts/callout_rig.h"

namespace cab {
namespace {

constexpr int RouteBase = 10;  // route sound k on channel 10 + k
enum Sound { Overrun = 1, BroughtBack = 2, First = 3, Second = 4, Third = 5, Buzzer = 40 };

// Three stations 1 km apart and announcements on the real mixer, each
// route sound 300 ms long.
struct AnnounceRig {
  RouteData route;
  std::vector<StationData> rows;
  StationTable stations{rows};
  RouteSounds routeSounds{RouteBase, std::vector<int>(8, 0)};
  testing::MixerLog log;
  TrainState train;
  StationState st;
  CalloutState state;

  AnnounceRig() {
    for (int i = 0; i < 3; ++i) {
      StationData s;
      s.position = 100000 * i;
      s.position_s = s.position - 500;
      s.position_e = s.position + 500;
      rows.push_back(s);
    }
    stations = StationTable(rows);
    route.Announce[0].sound = Overrun;
    route.AnnounceValue = BroughtBack;
    for (int k = 0; k < 8; ++k) log.mixer.bind(RouteBase + k, testing::waveOf(300));
    log.mixer.bind(Buzzer, testing::waveOf(300));
    st.clearDoneFlags(rows.size());
    state.clearDoneFlags(99, 501);
  }
  void announce(AnnounceData a) { route.Announce[static_cast<std::size_t>(++route.AnnounceCount)] = a; }
  AnnouncementSources sources() { return {route, stations, routeSounds, log.mixer}; }
  // Route sounds started so far, in order.
  std::vector<int> started() const {
    std::vector<int> sounds;
    for (const auto& s : log.starts)
      if (s.channel >= RouteBase && s.channel < RouteBase + 8) sounds.push_back(s.channel - RouteBase);
    return sounds;
  }
  void approachAt(long double position, long double remaining) {
    train.position = position;
    st.remainingDistance = remaining;
    approachAnnouncements(train, st, sources(), state);
    log.advance();
  }
};

TEST(ApproachAnnouncements, EachPlaysOnceInItsWindowAfterOrBeforeItsStation) {
  AnnounceRig r;
  r.announce({First, 0, 0, 400, 0});   // 400 m after station 0
  r.announce({Second, 1, 1, 100, 0});  // 100 m before station 1
  const struct {
    long double position;
    std::vector<int> started;
  } steps[] = {{39999, {}},      {40000, {First}},         {40499, {First}},  // once
               {89999, {First}}, {90000, {First, Second}}, {90499, {First, Second}}};
  for (const auto& s : steps) {
    r.approachAt(s.position, 100000 - s.position);
    EXPECT_EQ(r.started(), s.started) << static_cast<double>(s.position);
  }
}

TEST(ApproachAnnouncements, NoneCloseToTheNextStopNorWhileTheirSoundPlaysNorOnOneManRoutes) {
  {
    // After a station whose next stop is only 80 m ahead.
    AnnounceRig r;
    r.announce({First, 0, 0, 0, 0});
    for (long double p = 0; p < 500; p += 100) r.approachAt(p, 8000 - p);
    EXPECT_EQ(r.started(), std::vector<int>{});
  }
  {
    // The sound still plays from before: it starts once it has ended, while in the window.
    AnnounceRig r;
    r.announce({First, 1, 1, 100, 0});
    r.log.mixer.play(RouteBase + First);
    for (long double p = 90000; p < 90500; p += 100) r.approachAt(p, 100000 - p);
    EXPECT_EQ(r.started(), (std::vector<int>{First, First}));
  }
  {
    AnnounceRig r;
    r.route.OneMan = 1;
    r.announce({First, 1, 1, 100, 0});
    r.approachAt(90000, 10000);
    EXPECT_EQ(r.started(), std::vector<int>{});
  }
}

TEST(OverrunAnnouncement, OncePerStopBeyondTheStoppingPointThenTheBroughtBackAnnouncementInTheZone) {
  AnnounceRig r;
  r.st.doorCloseCount = 1;
  r.st.remainingDistance = -600;
  r.train.speed = 0;
  overrunAnnouncement(r.train, r.st, r.sources(), r.state);
  r.log.advance();
  r.log.advance();
  r.log.advance();
  overrunAnnouncement(r.train, r.st, r.sources(), r.state);
  EXPECT_EQ(r.started(), std::vector<int>{Overrun});

  // Backed into the zone of station 1 with the doors open.
  r.st.inZone[1] = true;
  r.train.doorsOpen = true;
  overrunFollowUp(r.train, r.st, r.sources(), r.state);
  overrunFollowUp(r.train, r.st, r.sources(), r.state);
  EXPECT_EQ(r.started(), (std::vector<int>{Overrun, BroughtBack}));
  EXPECT_FALSE(r.state.overrunAnnounced[1]);
}

TEST(OverrunAnnouncement, NotWhileMovingWithDoorsOpenInAZoneOrBeforeTheStop) {
  const struct {
    const char* what;
    long double speed;
    bool doorsOpen;
    long double remaining;
    bool inZone;
  } cases[] = {{"moving", 1, false, -600, false},
               {"doors open", 0, true, -600, false},
               {"short of the stop", 0, false, 100, false},
               {"in a stop zone", 0, false, -100, true}};
  for (const auto& c : cases) {
    AnnounceRig r;
    r.train.speed = c.speed;
    r.train.doorsOpen = c.doorsOpen;
    r.st.remainingDistance = c.remaining;
    r.st.inZone[2] = c.inZone;
    overrunAnnouncement(r.train, r.st, r.sources(), r.state);
    EXPECT_EQ(r.started(), std::vector<int>{}) << c.what;
  }
}

TEST(ManualAnnouncements, TheKeysStepThroughTheRowsAndBack) {
  AnnounceRig r;
  r.route.OneMan = 1;
  r.announce({First, 0, 1, 0, 0});
  r.announce({Second, 0, 2, 0, 0});
  r.state.announceIndex = 1;
  nextAnnouncement(r.sources(), 0, 7, r.state);
  EXPECT_EQ(r.state.announceIndex, 2);
  nextAnnouncement(r.sources(), 0, 7, r.state);  // stops the first
  EXPECT_EQ(r.state.announceIndex, 3);
  EXPECT_FALSE(r.log.mixer.isPlaying(RouteBase + First));
  EXPECT_TRUE(r.log.mixer.isPlaying(RouteBase + Second));
  nextAnnouncement(r.sources(), 0, 7, r.state);  // past the last row
  EXPECT_EQ(r.state.announceIndex, 3);

  previousAnnouncement(r.sources(), r.state);
  EXPECT_EQ(r.state.announceIndex, 2);
  EXPECT_FALSE(r.log.mixer.isPlaying(RouteBase + Second));
  // The row's sound is silent again, so the key plays it once more.
  nextAnnouncement(r.sources(), 0, 7, r.state);
  EXPECT_EQ(r.started(), (std::vector<int>{First, Second, Second}));
}

TEST(ManualAnnouncements, TheKeysDoNothingOnRoutesWithoutOneManOperation) {
  for (int oneMan : {0, 2}) {
    AnnounceRig r;
    r.route.OneMan = oneMan;
    r.announce({First, 0, 1, 0, 0});
    r.state.announceIndex = 1;
    nextAnnouncement(r.sources(), 0, 7, r.state);
    previousAnnouncement(r.sources(), r.state);
    EXPECT_EQ(r.state.announceIndex, 1);
    EXPECT_EQ(r.started(), std::vector<int>{});
  }
}

TEST(ManualAnnouncements, AStopRequestLightsItsLampTheStationsTimeLater) {
  AnnounceRig r;
  r.route.OneMan = 1;
  r.announce({First, 0, 1, 0, 0});
  r.rows[1].prob = 5;   // up to 11 always asks
  r.rows[1].time = 20;  // 2 s
  r.stations = StationTable(r.rows);
  r.state.announceIndex = 1;
  nextAnnouncement(r.sources(), 1000, 7, r.state);
  ASSERT_TRUE(r.state.stopRequestArmed);
  CabLamps lamps;
  stopRequestLamp(r.stations, 1060, lamps, r.state);
  EXPECT_FALSE(lamps.others[4]);
  stopRequestLamp(r.stations, 1061, lamps, r.state);
  EXPECT_TRUE(lamps.others[4]);
  EXPECT_FALSE(r.state.stopRequestArmed);

  // A station nobody asks at draws no request.
  AnnounceRig quiet;
  quiet.route.OneMan = 1;
  quiet.announce({First, 0, 1, 0, 0});
  quiet.state.announceIndex = 1;
  nextAnnouncement(quiet.sources(), 1000, 7, quiet.state);
  EXPECT_FALSE(quiet.state.stopRequestArmed);
}

TEST(ConductorBuzzer, AnswersAPlayingAnnouncementOnceAndSoundsWhileHeld) {
  AnnounceRig r;
  const SoundBank bank = testing::calloutBank();
  r.announce({First, 1, 1, 100, 7});
  r.announce({Second, 1, 2, 100, 0});  // no answer for this one
  r.approachAt(90000, 10000);
  const auto answer = [&](bool held) { conductorBuzzer(held, r.sources(), bank, Buzzer, r.state); };
  answer(true);
  EXPECT_TRUE(r.log.mixer.isLooping(Buzzer));
  answer(true);  // held: no second answer
  answer(false);
  EXPECT_FALSE(r.log.mixer.isPlaying(Buzzer));
  answer(true);  // pressed again: already answered
  std::vector<std::string> queued;
  for (const WavePtr& w : r.state.queue.waves)
    if (w) queued.push_back(testing::nameOf(bank, w.get()));
  EXPECT_EQ(queued, std::vector<std::string>{"slot 7"});
}

TEST(ConductorBuzzer, NoAnswerOnceTheAnnouncementHasEnded) {
  AnnounceRig r;
  const SoundBank bank = testing::calloutBank();
  r.announce({First, 1, 1, 100, 7});
  r.approachAt(90000, 10000);
  for (int i = 0; i < 3; ++i) r.log.advance();  // 300 ms: over
  conductorBuzzer(true, r.sources(), bank, Buzzer, r.state);
  EXPECT_EQ(r.state.queue.waves[0], nullptr);
}

}  // namespace
}  // namespace cab
