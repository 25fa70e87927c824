#include "core/presentation/panel/cab_lamps.h"

namespace cab {

void updateTractionLamps(CabLamps& lamps, const TractionLampInputs& in, int tickCount) {
  lamps.power = in.ammeterMode == 2;
  lamps.gen = in.ammeterMode == 1;
  const bool serviceBraking = in.brakeCommand < 0 && in.brakeCommand > -in.brakeSteps;
  // With the doors holding traction off the lamp keeps whatever it showed.
  if (!in.doorInterlocked || !in.doorsOpen)
    lamps.ele = in.powerNotch > 0 || (serviceBraking && in.elecBrakeCurrent > 0);
  lamps.fin = in.resistorStep >= 1 && in.resistorStep < in.currentPCount && in.currentStep != in.nextCurrentStep;
  lamps.air = serviceBraking;
  lamps.constant = in.constantSpeed;
  if (in.limitApproach) lamps.limitSign = blinkPhase(tickCount, lamps.limitSign);
}

void updateOtherLamps(CabLamps& lamps, int atsType, int engineRunning) {
  lamps.others[6] = true;
  lamps.others[7] = true;
  lamps.others[5] = atsType == 1;
  lamps.others[3] = engineRunning == 1 || engineRunning == -1 || engineRunning == -2;
}

}  // namespace cab
