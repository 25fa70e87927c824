#pragma once

namespace cab {

// The signal shown ahead and its picture (999 none, 1000 redraw on the next
// tick), and the preceding train's frame (0: none).
struct SignalState {
  int shownSignal = 999;
  int shownSignalImage = 999;
  int prevSignalImage = 999;
  int preTrainFrame = 0;
};

}  // namespace cab
