#pragma once

#include <array>
#include <span>
#include <vector>

#include "core/data/route_records.h"

namespace cab {

// A "[Signal2]" row: entry k is the aspect its signal shows when the next
// signal ahead that is not a repeater shows aspect k.
using AspectTranslation = std::array<int, 10>;

// What the aspects of one tick follow.
struct AspectInputs {
  std::span<const SignalData> rows;                 // "[Signal]"
  std::span<const AspectTranslation> translations;  // "[Signal2]", row by row
  int highestAspect = 0;                            // "[Speed_Signal]" rows less one
  int preTrainFrame = 0;                            // 0: no preceding train
  int clock = 0;                                    // 1/30 s
  const std::vector<bool>& departed;                // per station: its departure was handled
  int videoSwitchState = 0;                         // 1 while a station video plays
};

// The aspect of every row this tick. The block the preceding train occupies
// (from a signal's frame, exclusive, to the next signal's, inclusive) is
// protected by the nearest signal at or behind it that is not a repeater: it
// shows stop, unless it is the first row. Each signal behind it translates
// the aspect of the signal ahead by its "[Signal2]" row until the highest
// aspect is reached; a repeater copies the signal ahead of it. Then a
// time-held signal (kind 1) shows its fixed aspect until its time, every
// signal does while a station video plays, a starting signal (kind 3 and
// above) does until its station has departed and its time has come, and
// after those a non-zero override replaces the aspect and a fixed signal
// (kind 2) shows its fixed aspect.
void computeAspects(const AspectInputs& in, std::vector<int>& aspect);

}  // namespace cab
