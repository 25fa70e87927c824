#include "core/presentation/overlays/overlay_state.h"

#include <string>

namespace cab {

OverlaySprites findOverlaySprites(const SpriteModel& model) {
  OverlaySprites o;
  const struct {
    const char* imageName;
    SpriteId* first;
    SpriteId* second;  // a picture shown by two sprites
  } names[] = {
      {"img_unten_teimoku", &o.stopMarker, nullptr},   {"img_unten_teimokuS", &o.stopLineS, nullptr},
      {"img_unten_teimokuM", &o.stopLineM, nullptr},   {"img_unten_teimokuE", &o.stopLineE, nullptr},
      {"img_unten_slope", &o.gradientPost, nullptr},   {"img_unten_limit", &o.limitSign, nullptr},
      {"img_unten_remain", &o.remainingBar, nullptr},  {"img_unten_cross", &o.crossing, &o.crossingLamp},
      {"img_unten_other", &o.otherSign, nullptr},      {"img_unten_signal", &o.signal, nullptr},
      {"img_unten_signal_S", &o.subSignal, nullptr},   {"img_unten_signal_L", &o.leftSignal, nullptr},
      {"img_unten_signal_R", &o.rightSignal, nullptr},
  };
  for (SpriteId id = 0; id < static_cast<SpriteId>(model.spriteCount()); ++id) {
    const int image = model.sprite(id).image;
    if (image < 0 || image >= static_cast<int>(model.images().size())) continue;
    const std::string& name = model.image(image).name;
    for (const auto& n : names) {
      if (name != n.imageName) continue;
      if (*n.first < 0)
        *n.first = id;
      else if (n.second && *n.second < 0)
        *n.second = id;
    }
  }
  return o;
}

}  // namespace cab
