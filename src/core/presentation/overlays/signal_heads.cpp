#include "core/presentation/overlays/signal_heads.h"

#include <algorithm>
#include <array>

#include "core/presentation/overlays/overlay_state.h"
#include "core/presentation/sprite_model.h"

namespace cab {

namespace {

constexpr int CabSignalling = 2;
constexpr int CabSignalHeadType = 9;

SignalHead head(int baseX, int baseY, int x, int y, int pattern) {
  return {pattern > 0, baseX + x, baseY + y, pattern};
}

// An indicator shows its picture when it has one; a stop picture on the main
// head swaps it for its alternative when that is set.
int indicator(int image, int alternative, bool stop) {
  if (image < 1) return 0;
  return stop && alternative != 0 ? alternative : image;
}

}  // namespace

bool isStopImage(int imageIndex) {
  static constexpr std::array<int, 8> stops{7, 10, 13, 17, 21, 26, 30, 35};
  return std::find(stops.begin(), stops.end(), imageIndex) != stops.end();
}

SignalHeads signalHeads(const SignalData& row, int imageIndex, int atsType, int baseX, int baseY) {
  SignalHeads h;
  const bool cab = atsType == CabSignalling;
  const bool mainShown = cab ? row.headType == CabSignalHeadType : row.headType < CabSignalHeadType;
  h.main = head(baseX, baseY, row.mainX, row.mainY, mainShown ? imageIndex : 0);
  h.sub = head(baseX, baseY, row.sub0X, row.sub0Y, cab || mainShown ? row.subImage : 0);
  if (!cab && mainShown) {
    const bool stop = isStopImage(imageIndex);
    h.left = head(baseX, baseY, row.sub1X, row.sub1Y, indicator(row.sub1Image, row.sub1AltImage, stop));
    h.right = head(baseX, baseY, row.sub2X, row.sub2Y, indicator(row.sub2Image, row.sub2AltImage, stop));
  }
  return h;
}

void showSignalHeads(const OverlaySprites& o, const SignalHeads& heads, SpriteModel& sprites) {
  const struct {
    SpriteId id;
    const SignalHead& head;
  } placed[] = {
      {o.signal, heads.main}, {o.subSignal, heads.sub}, {o.leftSignal, heads.left}, {o.rightSignal, heads.right}};
  for (const auto& p : placed) {
    if (p.id < 0) continue;
    Sprite& s = sprites.sprite(p.id);
    s.visible = p.head.shown;
    if (!p.head.shown) continue;
    s.x = p.head.x;
    s.y = p.head.y;
    s.pattern = p.head.pattern;
  }
}

}  // namespace cab
