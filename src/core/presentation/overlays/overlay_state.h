#pragma once

#include <vector>

#include "core/platform/cab_surface.h"
#include "core/presentation/sprite_model.h"

namespace cab {

// The overlay sprites the route file created, found by their image names;
// -1 where the route names no such picture.
struct OverlaySprites {
  SpriteId stopMarker = -1;
  SpriteId stopLineS = -1, stopLineM = -1, stopLineE = -1;  // near end, stop point, far end of the stop zone
  SpriteId gradientPost = -1;
  SpriteId limitSign = -1;
  SpriteId remainingBar = -1;
  SpriteId crossing = -1, crossingLamp = -1;  // the two sprites of the level-crossing picture
  SpriteId otherSign = -1;
  SpriteId signal = -1, subSignal = -1, leftSignal = -1, rightSignal = -1;
};

// What an overlay shows: hidden, or one pattern of its picture.
struct SignShown {
  bool visible = false;
  int pattern = 0;
};

// The track-side overlays over the video and the texts drawn on it.
struct OverlayState {
  OverlaySprites sprites;
  int lengthMark = 0;            // cm: the remaining distance the driver marked, 0 none
  int commentaryWidth = 0;       // pixels: the commentary as measured after the last frame drew it
  std::vector<VideoText> texts;  // this frame's texts on the video
};

OverlaySprites findOverlaySprites(const SpriteModel& model);

}  // namespace cab
