#include "core/presentation/panel/panel_state.h"

namespace cab {

namespace {

constexpr int NeedleVoltStep = 250;

}  // namespace

void smoothNeedles(CabPanelState& panel, int brakeCommand, int brakeSteps) {
  if (panel.voltmeter < panel.lineVoltage - NeedleVoltStep)
    panel.voltmeter += NeedleVoltStep;
  else if (panel.voltmeter > panel.lineVoltage + NeedleVoltStep)
    panel.voltmeter -= NeedleVoltStep;
  const long double target = brakeCommand == -brakeSteps ? 4.5L : -brakeCommand / 2.0L;
  panel.brakeIndicator += (target - panel.brakeIndicator) / 2;
}

}  // namespace cab
