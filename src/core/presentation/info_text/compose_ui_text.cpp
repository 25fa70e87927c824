#include "core/presentation/info_text/compose_ui_text.h"

#include "core/route/stations/station_state.h"
#include "core/vehicle/train_state.h"

namespace cab {

void composeUiText(UiText& ui, const TrainState& train, const StationDisplay& stations) {
  ui.reverserText = train.reverserText;
  ui.powerText = train.powerText;
  ui.brakeText = train.brakeText;
  ui.gearText = train.modeText;
  ui.stationText = stations.stationText;
  ui.doorText = stations.doorText;
  ui.clockText = stations.clockText;
  ui.carsText = stations.carsText;
  ui.prevStationText = stations.prevStationText;
  ui.nextStationText = stations.nextStationText;
  ui.maxSpeedText = stations.maxSpeedText;
}

}  // namespace cab
