#pragma once

#include "core/data/route_records.h"

namespace cab {

struct OverlaySprites;
class SpriteModel;

// One signal picture over the video; a head showing no picture is hidden.
struct SignalHead {
  bool shown = false;
  int x = 0;
  int y = 0;
  int pattern = 0;
};

// The main head, the sub-signal and the left and right indicators.
struct SignalHeads {
  SignalHead main, sub, left, right;
};

// The stop pictures: the aspect-0 pictures of head types 2 to 9.
bool isStopImage(int imageIndex);

// The heads of a "[Signal]" row shown with picture imageIndex, placed from
// the row's offsets added to the "[SignalImageList]" position. Cab
// signalling ("[ATS_Type]" 2) shows only a type-9 main head and the
// sub-signal; the other types show every head of the row, a stop picture
// replacing the indicators by their alternatives. (The row's extra picture
// has no sprite of its own among the route's four signal pictures.)
SignalHeads signalHeads(const SignalData& row, int imageIndex, int atsType, int baseX, int baseY);

// Moves the four signal sprites to their heads; a head without a picture is hidden.
void showSignalHeads(const OverlaySprites& o, const SignalHeads& heads, SpriteModel& sprites);

}  // namespace cab
