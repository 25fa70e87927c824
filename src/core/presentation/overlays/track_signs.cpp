#include "core/presentation/overlays/track_signs.h"

#include "core/presentation/overlays/overlay_state.h"
#include "core/presentation/overlays/signal_heads.h"
#include "core/presentation/sprite_model.h"
#include "core/route/signals/signal_state.h"
#include "core/route/track_events/track_event_state.h"

namespace cab {

namespace {

constexpr int NoSignal = 999;
constexpr int CrossingLampPattern = 1;

void show(SpriteModel& sprites, SpriteId id, const SignShown& shown) {
  if (id < 0) return;
  Sprite& s = sprites.sprite(id);
  s.visible = shown.visible;
  s.pattern = shown.pattern;
}

// The heads last set up on the overlay; none between signals.
SignalHeads shownHeads(const TrackSignInputs& in) {
  const SignalState& s = in.signals;
  const bool inView = s.overlaySignal >= 0 && s.overlaySignal < static_cast<int>(in.signalRows.size()) &&
                      s.overlayImage >= 0 && s.overlayImage < NoSignal;
  if (!inView) return {};
  return signalHeads(in.signalRows[static_cast<std::size_t>(s.overlaySignal)], s.overlayImage, in.atsType,
                     in.signalBaseX, in.signalBaseY);
}

}  // namespace

void showTrackSigns(const OverlayState& o, const TrackSignInputs& in, SpriteModel& sprites) {
  // Board pattern 0 is "no board".
  show(sprites, o.sprites.stopMarker, {in.stopBoardPattern != 0, in.stopBoardPattern});
  showSignalHeads(o.sprites, shownHeads(in), sprites);
  show(sprites, o.sprites.limitSign, {in.limitSignLit && in.limitSignPattern != 0, in.limitSignPattern});
}

void showTrackEventSigns(const OverlayState& o, const TrackEventState& events, SpriteModel& sprites) {
  show(sprites, o.sprites.gradientPost, {true, events.gradientPost});
  show(sprites, o.sprites.otherSign, {events.signVisible, events.signPattern});
  show(sprites, o.sprites.crossing, {true, events.crossingPattern});
  show(sprites, o.sprites.crossingLamp, {events.crossingLampLit, CrossingLampPattern});
}

}  // namespace cab
