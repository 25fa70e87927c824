#pragma once

#include "core/route/operation_state.h"

namespace cab {

// What the indicator lamps of the tick read from the traction and brakes.
struct TractionLampInputs {
  int ammeterMode = 0;           // 0 none, 1 electric braking, 2 powering
  bool doorInterlocked = false;  // "[DoorLock]" 1
  bool doorsOpen = false;
  int powerNotch = 0;
  int brakeCommand = 0;
  int brakeSteps = 0;  // "[Brake]": its negative is the emergency position
  long double elecBrakeCurrent = 0;
  int resistorStep = 0;
  int currentPCount = 0;    // rows of "[CurrentP]"
  int currentStep = 0;      // step value of row resistorStep
  int nextCurrentStep = 0;  // step value of row resistorStep + 1
  bool constantSpeed = false;
  bool limitApproach = false;
};

// The indicator lamps: power, electric brake, the traction-ready lamp, the
// resistor-notching lamp, service brake, constant speed and the blinking
// limit sign.
void updateTractionLamps(CabLamps& lamps, const TractionLampInputs& in, int tickCount);

// The extra lamps 3 (engine on), 5 (spot ATS) and 6, 7 (always lit).
void updateOtherLamps(CabLamps& lamps, int atsType, int engineRunning);

}  // namespace cab
