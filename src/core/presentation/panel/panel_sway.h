#pragma once

#include "core/presentation/panel/cab_panel_sprites.h"
#include "core/presentation/panel/panel_state.h"

namespace cab {

// After each flip: every panel sprite, shown or hidden, stands at its top
// (a bar gauge's follows its value) plus the driver's shift and the sway.
// X never changes.
void swayCabPanel(const CabPanelSprites& ids, const CabPanelState& panel, SpriteModel& sprites, int swayOffset);

// Shift+Up moves the whole panel up 50 pixels while its top is above -150,
// Shift+Down back down while it is below 0. The next sway shows it.
void shiftCabPanelUp(CabPanelSprites& ids);
void shiftCabPanelDown(CabPanelSprites& ids);

}  // namespace cab
