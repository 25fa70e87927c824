#pragma once

#include <cstddef>
#include <vector>

namespace cab {

// The "shown" sentinels: nothing is shown, and redraw on the next tick.
inline constexpr int NoSignalShown = 999;
inline constexpr int RedrawSignal = 1000;

// The signals of this tick and the one shown ahead, and the preceding train.
struct SignalState {
  // Per "[Signal]" row, recomputed every tick: its aspect and its picture.
  std::vector<int> aspect;
  std::vector<int> imageIndex;
  // The signal shown ahead, its picture and the picture last set up on the
  // overlay (999 none, 1000 redraw on the next tick), and its sub-signal value.
  int shownSignal = NoSignalShown;
  int shownSignalImage = NoSignalShown;
  int prevSignalImage = NoSignalShown;
  int shownSignalSub = NoSignalShown;
  // The row and picture last set up on the overlay: the overlay keeps them
  // while the speed point resets the shown fields, until the train passes
  // the signal or jumps (999 none).
  int overlaySignal = NoSignalShown;
  int overlayImage = NoSignalShown;
  // The preceding train: its frame (0 none), its speed (km/h), the speed
  // units it has run but not yet turned into whole frames, and the recording
  // speed of the stretch it was last found in.
  int preTrainFrame = 0;
  int preTrainSpeed = 0;
  int preTrainAccumulator = 0;
  int preTrainFilmSpeed = 0;
};

// The start of a drive: one aspect and picture per signal row, nothing
// shown, and the preceding train at its start frame.
void startSignals(SignalState& s, std::size_t signalRows, int preTrainStart);

}  // namespace cab
