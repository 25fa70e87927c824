#include "core/presentation/overlays/track_signs.h"

#include "core/presentation/overlays/overlay_state.h"
#include "core/presentation/overlays/signal_heads.h"
#include "core/presentation/sprite_model.h"
#include "core/route/signals/signal_state.h"

namespace cab {

namespace {

constexpr int NoSignal = 999;

void show(SpriteModel& sprites, SpriteId id, const SignShown& shown) {
  if (id < 0) return;
  Sprite& s = sprites.sprite(id);
  s.visible = shown.visible;
  s.pattern = shown.pattern;
}

// The heads of the signal in view; none between signals.
SignalHeads shownHeads(const TrackSignInputs& in) {
  const SignalState& s = in.signals;
  const bool inView = s.shownSignal >= 0 && s.shownSignal < static_cast<int>(in.signalRows.size()) &&
                      s.shownSignalImage >= 0 && s.shownSignalImage < NoSignal;
  if (!inView) return {};
  return signalHeads(in.signalRows[static_cast<std::size_t>(s.shownSignal)], s.shownSignalImage, in.atsType,
                     in.signalBaseX, in.signalBaseY);
}

}  // namespace

void showTrackSigns(const OverlayState& o, const TrackSignInputs& in, SpriteModel& sprites) {
  // Board pattern 0 is "no board".
  show(sprites, o.sprites.stopMarker, {in.stopBoardPattern != 0, in.stopBoardPattern});
  showSignalHeads(o.sprites, shownHeads(in), sprites);
  show(sprites, o.sprites.crossing, o.crossing);
  show(sprites, o.sprites.crossingLamp, o.crossingLamp);
  for (SpriteId id : {o.sprites.gradientPost, o.sprites.limitSign, o.sprites.otherSign}) show(sprites, id, {});
}

}  // namespace cab
