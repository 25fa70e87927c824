#pragma once

#include "core/presentation/panel/cab_panel_sprites.h"
#include "core/presentation/panel/panel_state.h"

namespace cab {

struct TrainState;
struct VehicleSpec;

// Frame step: the ammeter mode and which current bar it shows, every needle's
// angle (the main-reservoir needle dips by `mrHornDrop` while a horn blows,
// its bar does not), the brake-cylinder needle's ten-frame average, the bar
// gauges' tops (placed by the sway) and the digital speed. A needle without a
// sprite is skipped.
void updateCabGauges(CabPanelState& panel, const CabPanelSprites& ids, SpriteModel& sprites, const TrainState& t,
                     const VehicleSpec& v, long double mrHornDrop);

}  // namespace cab
