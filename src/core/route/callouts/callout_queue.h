#pragma once

#include <vector>

#include "core/route/callouts/callout_state.h"

namespace cab {

class Dialogs;
class SoundMixer;

// Wave i of one of the bank's lists; none outside it.
inline WavePtr waveAt(const std::vector<WavePtr>& waves, int i) {
  return i >= 0 && i < static_cast<int>(waves.size()) ? waves[static_cast<std::size_t>(i)] : nullptr;
}

// Appends a call-out at the first free slot; with all twelve taken it is
// dropped. A slot without a wave appends nothing.
void kanko_queue_add(CalloutQueue& q, const WavePtr& wave);

// One step of the queue, once a tick: when the call-out channel has fallen
// silent, the head that played leaves and the next one is bound to the
// channel and played (silently when call-outs are switched off). A failure
// is shown and the same head is tried again on the next tick.
void kanko_queue_play(CalloutQueue& q, SoundMixer& mixer, int channel, bool calloutsOff, Dialogs& dialogs);

}  // namespace cab
