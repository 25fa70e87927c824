#pragma once

namespace cab {

class Dialogs;
class Drive;

// One 100 ms tick of route operation, its steps in their fixed order. The
// first step runs unguarded; a failure in any later step shows its message
// and ends the tick, except in the commentary-to-grid steps, whose failure
// is shown and the labels are still updated.
void Timer1Timer(Drive& drive, Dialogs& dialogs);

// A blinking lamp goes dark on ticks where tickCount mod 10 is 5 and lights
// on ticks where it is 0; in between it keeps its state.
bool blinkPhase(int tickCount, bool lit);

}  // namespace cab
