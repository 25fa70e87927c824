#include "core/presentation/info_text/info_labels.h"

namespace cab {

void updateInfoLabels(InfoLabels& labels, const UiText& ui, int moji, bool oneMan, int oneMan2) {
  if (moji != 1) return;
  auto& c = labels.caption;
  c[0] = ui.reverserText;
  c[1] = ui.powerText;
  c[2] = ui.brakeText;
  c[3] = ui.gearText;
  c[4] = ui.stationText;
  c[6] = oneMan && oneMan2 == 1 ? ui.doorText : std::string();
  c[7] = ui.clockText;
  c[8] = ui.label8Text;
  c[9] = oneMan && ui.carsText.empty() ? ui.tcText : ui.carsText;
  c[10] = ui.limitText;
  c[11] = ui.speedText;
  c[12] = ui.distanceText;
  c[13] = ui.prevStationText;
  c[14] = ui.nextStationText;
  c[15] = ui.maxSpeedText + " km/h";
}

}  // namespace cab
