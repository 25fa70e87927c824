#pragma once

#include "core/presentation/panel/cab_panel_sprites.h"
#include "core/route/operation_state.h"

namespace cab {

struct TrainState;

// At loading: the lamp flags start as their lamps were created (lit or dark),
// so a lamp the tick leaves alone keeps its first look.
void lampFlagsFromSprites(CabLamps& lamps, const CabPanelSprites& ids, const SpriteModel& sprites);

// Frame step: the lamps the tick lights, the reverser lamps, and the frames
// of the notch and gear pictures that the controller chose. A frame the
// picture does not have is not set; the picture keeps the one it shows.
void showCabLamps(const CabPanelSprites& ids, SpriteModel& sprites, const CabLamps& lamps, const TrainState& t);

// Frame step: the cab monitor ("[Monitor]") shows the pattern the stations chose.
void showMonitorPattern(const CabPanelSprites& ids, SpriteModel& sprites, int pattern);

// Start of a drive: the first ATS lamp says whether ATS power is on.
void showAtsPowerLamp(const CabPanelSprites& ids, SpriteModel& sprites, bool atsPowerOn);

}  // namespace cab
