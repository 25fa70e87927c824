// The signal step: the pictures of the rows, the signal shown ahead, the
// set-up of a changed picture (the cab signal's chime and lamp) and the
// clearing once a signal is passed, with the protection's hook in between.
#include "core/route/signals/signal_step.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/route/operation_state.h"
#include "core/route/signals/signal_state.h"
#include "tests/route_tick/fake_sounds.h"

namespace cab {
namespace {

constexpr int AtcChime = 7;
constexpr AspectTranslation StepUp{1, 2, 3, 4, 4, 4, 4, 4, 4, 4};

SignalData signal(int headType, int startFrame, int positionFrame, int subSignal) {
  SignalData s;
  s.headType = headType;
  s.startFrame = startFrame;
  s.positionFrame = positionFrame;
  s.subSignal = subSignal;
  return s;
}

// Three signals; the first two have overlapping view ranges: [100, 500) and [400, 900).
struct SignalStepFixture : ::testing::Test {
  std::vector<SignalData> rows{signal(4, 100, 500, 3), signal(4, 400, 900, 5), signal(4, 1000, 1400, 0)};
  std::vector<AspectTranslation> translations;
  std::vector<bool> departed = std::vector<bool>(2, false);
  SignalState state;
  CabLamps lamps;
  testing::TimedSounds sounds;
  int atsType = 0;
  int preTrainFrame = 0;
  std::vector<std::tuple<int, int, int>> hookSaw;  // row, shownSignal, shownSignalImage

  void tick(int frame) {
    translations.assign(rows.size(), StepUp);
    const AspectInputs aspects{rows, translations, 4, preTrainFrame, 0, departed, 0};
    const SignalStepInputs in{aspects, frame, atsType, 120, AtcChime};
    hookSaw.clear();
    signalStep(state, in, lamps, sounds,
               [this](int row) { hookSaw.emplace_back(row, state.shownSignal, state.shownSignalImage); });
  }
};

TEST_F(SignalStepFixture, LastRowInViewIsShown) {
  tick(50);  // before both: each row has its distant picture, nothing is shown
  EXPECT_EQ(state.imageIndex, (std::vector<int>{12, 12, 12}));
  EXPECT_EQ(state.shownSignal, NoSignalShown);
  EXPECT_EQ(state.shownSignalImage, NoSignalShown);
  tick(450);
  EXPECT_EQ(state.imageIndex, (std::vector<int>{16, 16, 12}));
  EXPECT_EQ(state.shownSignal, 1);
  EXPECT_EQ(state.shownSignalImage, 16);
  EXPECT_EQ(state.prevSignalImage, 16);
  // The first row set the picture up; the second shows the same picture, so
  // nothing is set up again and the sub-signal value stays the first row's.
  EXPECT_EQ(state.shownSignalSub, 3);
  // The preceding train beyond the second signal holds it at stop; the first
  // translates the stop into restricted caution, which head type 4 shows
  // with its stop picture.
  preTrainFrame = 1000;
  tick(200);
  EXPECT_EQ(state.aspect, (std::vector<int>{1, 0, 4}));
  EXPECT_EQ(state.imageIndex, (std::vector<int>{13, 0, 12}));
  EXPECT_EQ(state.shownSignal, 0);
  EXPECT_EQ(state.shownSignalSub, 3);
}

TEST_F(SignalStepFixture, HookRunsForEveryRowAfterItsPictureAndBeforeThePassedClearing) {
  tick(450);
  EXPECT_EQ(hookSaw, (std::vector<std::tuple<int, int, int>>{{0, 0, 16}, {1, 1, 16}, {2, 1, 16}}));
  tick(905);  // the second signal was just passed: its hook still sees it shown, the next row's does not
  EXPECT_EQ(hookSaw, (std::vector<std::tuple<int, int, int>>{{0, 1, 16}, {1, 1, 16}, {2, 999, 999}}));
  EXPECT_EQ(state.shownSignal, NoSignalShown);
}

TEST_F(SignalStepFixture, PassedSignalIsNoLongerShown) {
  tick(450);
  tick(905);
  EXPECT_EQ(state.shownSignal, NoSignalShown);
  EXPECT_EQ(state.shownSignalSub, NoSignalShown);
  EXPECT_EQ(state.shownSignalImage, NoSignalShown);
  EXPECT_EQ(state.prevSignalImage, NoSignalShown);
  tick(920);  // 20 frames on the clearing is over; nothing is in view either
  EXPECT_EQ(state.shownSignal, NoSignalShown);
}

TEST_F(SignalStepFixture, CabSignalSetsUpEachChangedPictureOnce) {
  atsType = 2;
  rows = {signal(9, 0, 50, 0), signal(9, 100, 500, 3), signal(4, 600, 900, 5), signal(4, 1000, 1400, 0)};
  tick(200);
  EXPECT_EQ(state.shownSignalImage, 39);  // head type 9, aspect 4
  EXPECT_EQ(sounds.plays(AtcChime), 1);
  EXPECT_TRUE(lamps.cabLimit);
  EXPECT_EQ(lamps.cabLimitFrame, 4);
  tick(300);  // the same picture: no chime
  EXPECT_EQ(sounds.plays(AtcChime), 1);
  preTrainFrame = 800;  // the signal in view now protects an occupied block
  tick(400);
  EXPECT_EQ(state.shownSignalImage, 35);
  EXPECT_EQ(sounds.plays(AtcChime), 2);
  EXPECT_EQ(lamps.cabLimitFrame, 0);
  // Passed: the cab signal keeps its picture while no signal is shown.
  tick(510);
  EXPECT_EQ(state.shownSignal, NoSignalShown);
  EXPECT_EQ(state.shownSignalSub, NoSignalShown);
  EXPECT_EQ(state.shownSignalImage, 35);
  EXPECT_EQ(state.prevSignalImage, 35);
  // A lineside head (below picture 35) darkens the cab signal lamp.
  preTrainFrame = 0;
  tick(700);
  EXPECT_EQ(state.shownSignalImage, 16);
  EXPECT_EQ(sounds.plays(AtcChime), 3);
  EXPECT_FALSE(lamps.cabLimit);
}

TEST_F(SignalStepFixture, ARedrawIsForcedByThePictureSetUpLast) {
  atsType = 2;
  rows = {signal(9, 100, 500, 3)};
  tick(200);
  state.prevSignalImage = RedrawSignal;  // as after a station jump
  tick(210);
  EXPECT_EQ(sounds.plays(AtcChime), 2);
  EXPECT_EQ(state.prevSignalImage, 39);
}

}  // namespace
}  // namespace cab
