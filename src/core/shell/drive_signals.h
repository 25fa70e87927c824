#pragma once

namespace cab {

class Drive;

// The drive's side of the signals and the preceding train: the start of a
// drive (which also checks the signal rows' pictures), the preceding train's
// move in each physics step, the two tick steps and the station jump's part.
void startSignals(Drive& d);
void advancePrecedingTrain(Drive& d);
bool precedingTrainLeavesStep(Drive& d);
bool signalStep(Drive& d);
void signalsAfterJump(Drive& d);

}  // namespace cab
