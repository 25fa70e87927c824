#include "core/presentation/overlays/stop_position.h"

#include "core/common/rounding.h"
#include "core/presentation/overlays/overlay_state.h"
#include "core/presentation/sprite_model.h"

namespace cab {

namespace {

constexpr long double BarWindow = 3000;   // cm either side of the stop point
constexpr long double LineWindow = 2000;  // cm before the stop point
constexpr int BarRise = 870;              // the bar's bottom rises above the video's bottom edge
constexpr int HiddenLineY = -100;

int barTop(int videoHeight, long double scale, long double distance) {
  return videoHeight - static_cast<int>(roundHalfAway(videoHeight / scale * distance)) - BarRise;
}

}  // namespace

RemainingBar remainingBar(long double d, int& lengthMark, int videoHeight, int trainLength) {
  if (d >= 0 && d < BarWindow) return {true, 0, barTop(videoHeight, BarWindow, d)};
  if (d >= -BarWindow && d < 0) return {true, 1, barTop(videoHeight, BarWindow, d)};
  if (lengthMark <= 0) return {};
  const long double r = d - (lengthMark - trainLength);
  if (r < 0) {
    lengthMark = 0;
    return {};
  }
  // A train of no length gives the count-down no scale: the bar stays hidden.
  if (trainLength <= 0) return {};
  return {true, 2, barTop(videoHeight, trainLength, r)};
}

std::optional<StopLine> stopLine(long double x, long double d, const Perspective& perspective, int videoHeight) {
  if (!(d < LineWindow) || !(x > 0) || perspective.distance == 0) return std::nullopt;
  // 2 - 0.05 x d / 100, written so that 10 m before the stop point is exactly
  // 1.5: two pixels up to there, one beyond.
  const int height = static_cast<int>(roundHalfAway(2 - d / 2000));
  const long double m = x / 100;
  const int y = static_cast<int>(roundHalfAway(videoHeight - m / (m + perspective.distance) * perspective.horizon));
  return StopLine{y, height};
}

void placeStopPosition(OverlayState& o, const StopPositionInputs& in, SpriteModel& sprites) {
  const long double d = in.remainingDistance;
  const RemainingBar bar = remainingBar(d, o.lengthMark, in.videoHeight, in.trainLength);
  if (o.sprites.remainingBar >= 0) {
    Sprite& s = sprites.sprite(o.sprites.remainingBar);
    s.visible = bar.visible;
    if (bar.visible) {
      s.pattern = bar.pattern;
      s.y = bar.y;
    }
  }
  const struct {
    SpriteId id;
    long double x;
  } lines[] = {
      {o.sprites.stopLineS, d - in.halfZone}, {o.sprites.stopLineM, d}, {o.sprites.stopLineE, d + in.halfZone}};
  for (const auto& line : lines) {
    if (line.id < 0) continue;
    Sprite& s = sprites.sprite(line.id);
    if (const auto placed = stopLine(line.x, d, in.perspective, in.videoHeight)) {
      s.y = placed->y;
      s.height = placed->height;
    } else {
      s.y = HiddenLineY;
    }
  }
}

}  // namespace cab
