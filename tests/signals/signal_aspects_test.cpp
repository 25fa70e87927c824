// The block model: which signal the preceding train holds at stop, how the
// signals behind it step up, and the held, fixed and starting signals.
#include "core/route/signals/signal_aspects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cab {
namespace {

constexpr int Highest = 4;  // five aspects, 0 (stop) to 4 (proceed)
constexpr int Repeater = 0;
// Behind a stop: restricted caution, then caution, reduced speed, proceed.
constexpr AspectTranslation StepUp{1, 2, 3, 4, 4, 4, 4, 4, 4, 4};

// Block signals at frames 1000, 2000, 3000, ...
std::vector<SignalData> blockSignals(std::vector<int> headTypes) {
  std::vector<SignalData> rows;
  for (std::size_t i = 0; i < headTypes.size(); ++i) {
    SignalData s;
    s.headType = headTypes[i];
    s.positionFrame = 1000 * static_cast<int>(i + 1);
    rows.push_back(s);
  }
  return rows;
}

struct Line {
  std::vector<SignalData> rows;
  std::vector<AspectTranslation> translations;
  std::vector<bool> departed = std::vector<bool>(4, false);
  int highest = Highest;
  int clock = 0;
  int videoSwitchState = 0;

  explicit Line(std::vector<int> headTypes) : rows(blockSignals(std::move(headTypes))) {
    translations.assign(rows.size(), StepUp);
  }
  std::vector<int> aspects(int preTrainFrame) const {
    std::vector<int> aspect;
    computeAspects({rows, translations, highest, preTrainFrame, clock, departed, videoSwitchState}, aspect);
    return aspect;
  }
};

struct BlockCase {
  const char* name;
  std::vector<int> headTypes;
  int preTrainFrame;
  std::vector<int> expected;
};

class BlockAspects : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockAspects, FollowThePrecedingTrain) {
  const BlockCase& c = GetParam();
  EXPECT_EQ(Line(c.headTypes).aspects(c.preTrainFrame), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Walk, BlockAspects,
    ::testing::Values(BlockCase{"NoPrecedingTrain", {4, 4, 4, 4}, 0, {4, 4, 4, 4}},
                      // Row 0 is never set to stop by the preceding train.
                      BlockCase{"BetweenTheFirstTwoSignals", {4, 4, 4, 4}, 1500, {4, 4, 4, 4}},
                      BlockCase{"BeyondTheLastSignal", {4, 4, 4, 4}, 4500, {4, 4, 4, 4}},
                      // Upper bound inclusive: on signal 2's frame the block 1..2 is occupied.
                      BlockCase{"OnASignalsFrame", {4, 4, 4, 4}, 3000, {1, 0, 4, 4}},
                      BlockCase{"JustPastASignal", {4, 4, 4, 4}, 3001, {2, 1, 0, 4}},
                      // A repeater copies the stop; the signal behind it translates the stop, not the repeater.
                      BlockCase{"RepeaterBehindTheStopSignal", {4, Repeater, 4, 4}, 3500, {1, 0, 0, 4}},
                      // A train in a repeater's block is protected by the signal behind the repeater.
                      BlockCase{"TrainPastARepeater", {4, 4, -1, 4}, 3500, {1, 0, 4, 4}},
                      BlockCase{"RepeatersBackToTheFirstRow", {4, Repeater, Repeater, 4}, 3500, {4, 4, 4, 4}},
                      BlockCase{"WalkReachesProceed", {4, 4, 4, 4, 4, 4}, 6000, {4, 3, 2, 1, 0, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Aspects, WalkEndsAtTheHighestAspect) {
  // Three aspects: behind a stop caution (1), then proceed (2); there the
  // walk stops, although the first row's translation of 2 would be stop.
  Line line({4, 4, 4, 4, 4});
  line.highest = 2;
  line.translations.assign(5, {1, 2, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(line.aspects(5000), (std::vector<int>{2, 2, 1, 0, 2}));
}

TEST(Aspects, StartingSignalWaitsForItsStationsDepartureAndTime) {
  Line line({4, 4, 4});
  SignalData& starting = line.rows[1];
  starting.kind = 3;
  starting.switchIdx = 2;
  starting.fixedAspect = 0;
  starting.time = 5000;
  line.clock = 6000;
  EXPECT_EQ(line.aspects(0)[1], 0) << "the block is clear but station 2 has not departed";
  line.departed[2] = true;
  line.clock = 4999;
  EXPECT_EQ(line.aspects(0)[1], 0) << "departed, but before its time";
  line.clock = 5000;
  EXPECT_EQ(line.aspects(0)[1], 4);
  EXPECT_EQ(line.aspects(2500)[1], 0) << "released, it shows the block again";
  starting.switchIdx = 9;  // a station the table does not have never departs
  EXPECT_EQ(line.aspects(0)[1], 0);
}

TEST(Aspects, HeldFixedAndOverriddenSignals) {
  Line line({4, 4, 4, 4});
  line.rows[0].kind = 1;  // held at caution until clock 100
  line.rows[0].fixedAspect = 2;
  line.rows[0].time = 100;
  line.rows[1].kind = 2;  // fixed at reduced speed
  line.rows[1].fixedAspect = 3;
  line.rows[2].overrideAspect = 1;  // a block signal overridden to restricted caution
  line.rows[3].kind = 2;            // a fixed signal with an override takes the override
  line.rows[3].fixedAspect = 3;
  line.rows[3].overrideAspect = 2;
  line.clock = 99;
  EXPECT_EQ(line.aspects(0), (std::vector<int>{2, 3, 1, 2}));
  line.clock = 100;
  EXPECT_EQ(line.aspects(0), (std::vector<int>{4, 3, 1, 2}));
  line.rows[0].overrideAspect = 3;  // once released the held signal's override applies
  EXPECT_EQ(line.aspects(0)[0], 3);
}

TEST(Aspects, StationVideoShowsEveryFixedAspect) {
  Line line({4, 4, 4});
  line.rows[0].fixedAspect = 1;
  line.rows[1].overrideAspect = 3;  // no override while the video plays
  line.rows[2].fixedAspect = 0;
  line.videoSwitchState = 1;
  EXPECT_EQ(line.aspects(2500), (std::vector<int>{1, 0, 0}));
  line.videoSwitchState = 2;  // a branch video leaves the block model alone
  EXPECT_EQ(line.aspects(2500), (std::vector<int>{1, 3, 4}));
}

}  // namespace
}  // namespace cab
