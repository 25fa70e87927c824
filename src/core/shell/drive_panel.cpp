// The cab panel's part of a drive: made while loading, the ATS lamp at the
// start, its gauges and lamps every frame and its sway after each flip.
#include "core/platform/status_sink.h"
#include "core/presentation/panel/cab_panel_creation.h"
#include "core/presentation/panel/gauge_sprites.h"
#include "core/presentation/panel/lamp_sprites.h"
#include "core/presentation/panel/panel_sway.h"
#include "core/shell/drive.h"
#include "core/shell/video_position.h"

namespace cab {

void Drive::createCabPanel() {
  platform_.status.progress("運転台を描画しています");
  panelSprites = cab::createCabPanel(vehicle.cabLayout,
                                     PanelPictureSource{data_, platform_.pictures, request_.vehicleDirectory}, sprites);
  lampFlagsFromSprites(operation.lamps, panelSprites, sprites);
}

void Drive::startCabPanel() { showAtsPowerLamp(panelSprites, sprites, protection.atsPowerOn); }

void Drive::updateCabPanel() {
  updateCabGauges(panel, panelSprites, sprites, train, vehicle, horns.mrHornDrop);
  showCabLamps(panelSprites, sprites, operation.lamps, train);
  showMonitorPattern(panelSprites, sprites, stationState.display.monitorPattern);
}

void Drive::swayCabPanel() { cab::swayCabPanel(panelSprites, panel, sprites, swayOffset(train.viewSway)); }

}  // namespace cab
