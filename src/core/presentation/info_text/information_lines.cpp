#include "core/presentation/info_text/information_lines.h"

#include "core/common/rounding.h"

namespace cab {

namespace {

// The "[InfoLabel]" texts the lines are built from: the pattern's and the
// limit's wording, and the bracket naming the limit after the coming one.
enum InfoLine {
  PatternStopText = 2,
  PatternDistanceText = 3,
  LimitDistanceText = 4,
  FollowingOpenText = 5,
  CheckFollowingText = 6,
  LimitFollowingText = 7
};

std::string kmh(int speed) { return std::to_string(speed) + "km/h "; }

}  // namespace

void informationLines(UiText& ui, const InformationInputs& in, std::span<const std::string> infoLabels) {
  const auto label = [&](int i) { return i < static_cast<int>(infoLabels.size()) ? infoLabels[i] : std::string(); };
  ui.limitText.clear();
  ui.limitText2.clear();
  const long double v = in.speed;
  // The train still short of the pattern's target: at walking pace, or fast
  // and close to the brake pattern. The distance leaves out the target's 10 m margin.
  if (const auto& p = in.pattern; p && p->patternPosition > in.position) {
    if (p->patternSpeed == 1 && v > 1) {
      ui.limitText = label(PatternStopText);
      return;
    }
    if (p->brakePatternSpeed - v < 30 && p->patternSpeed == 10 && v > 10) {
      const long double metres = (p->patternPosition - in.position - 1000) / 100;
      ui.limitText = kmh(p->patternSpeed) + label(PatternDistanceText) + std::to_string(Round(metres)) + "m";
      return;
    }
  }
  const auto following = [&](int closing) {
    if (in.followingLimit) ui.limitText2 = label(FollowingOpenText) + kmh(*in.followingLimit) + label(closing) + ")";
  };
  if (in.limit) {
    ui.limitText = kmh(in.limit->limit) + label(LimitDistanceText) + std::to_string(in.limit->metres) + "m";
    following(LimitFollowingText);
  } else if (in.check) {
    ui.limitText = kmh(in.check->limit) + "照査まで" + std::to_string(in.check->metres) + "m";
    following(CheckFollowingText);
  }
}

}  // namespace cab
