#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "core/sound/sound_bank.h"

namespace cab {

// The call-outs waiting to be heard, head first: they play one after the
// other on the call-out channel so that they never overlap. The queue only
// refers to the bank's waves; an empty slot holds none.
struct CalloutQueue {
  static constexpr std::size_t Capacity = 12;
  std::array<WavePtr, Capacity> waves{};
  bool calloutPlaying = false;    // the head was handed to the channel
  bool calloutQueueBusy = false;  // a wave is being appended

  void clear() { waves.fill(nullptr); }
};

// The call-outs' and announcements' state.
struct CalloutState {
  // The next manual announcement (one-man routes).
  int announceIndex = 0;
  // Marker of the last sign or limit call-out; -1 once a new sign is shown.
  int lastCallout = 0;
  bool crossingCalloutBusy = false;  // the crossing queue is being shifted
  // Per "[Announce]" row: played, and answered by the conductor's buzzer.
  std::vector<bool> announceDone, announceAnswered;
  // Per stop of the stop cycle (the station counter of the doors): the
  // overrun announcement has been made.
  std::vector<bool> overrunAnnounced;
  // A stop request is pending since stopRequestClock (clock units).
  bool stopRequestArmed = false;
  int stopRequestClock = 0;
  bool buzzerLatched = false;  // the conductor's buzzer key is held since it answered
  CalloutQueue queue;

  // Clears the per-row done flags for `announceRows` announcement rows and
  // `stops` stops.
  void clearDoneFlags(std::size_t announceRows, std::size_t stops) {
    announceDone.assign(announceRows, false);
    announceAnswered.assign(announceRows, false);
    overrunAnnounced.assign(stops, false);
  }
};

}  // namespace cab
