#pragma once

#include <functional>

#include "core/route/signals/signal_aspects.h"

namespace cab {

struct CabLamps;
struct SignalState;
class SoundChannels;

// What the signal step reads besides the aspects' inputs.
struct SignalStepInputs {
  AspectInputs aspects;
  int trainFrame = 0;
  int atsType = 0;         // "[ATS_Type]": 2 is cab signalling
  int maxSpeedKmh = 0;     // the vehicle's "[MaxSpeed]"
  int cabSignalSound = 0;  // "[Sound_Atc]" channel
};

// Called for every row right after its picture and the shown signal are set.
using SignalRowHook = std::function<void(int row)>;

// Tick step: the aspects of all signals, then row by row its picture; a row
// in view (from its startFrame up to its frame) becomes the shown signal,
// the last such row winning. A shown picture that differs from the one set
// up last is set up: with cab signalling the cab-signal chime restarts and
// the cab signal lamp shows the signal's speed step (dark below picture 35).
// A signal passed less than 20 frames ago is no longer shown.
void signalStep(SignalState& s, const SignalStepInputs& in, CabLamps& lamps, SoundChannels& sounds,
                const SignalRowHook& atRow);

}  // namespace cab
