#include "core/route/stations/doors.h"

#include <cmath>

#include "core/route/operation_state.h"
#include "core/route/stations/station_state.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

bool playing(const SoundChannels& sounds, int channel) { return channel >= 0 && sounds.isPlaying(channel); }

}  // namespace

void Door_operate(TrainState& t, StationState& s, CabLamps& lamps, const DoorSpec& d, SoundChannels& sounds) {
  t.doorRequest = false;
  if (d.oneMan) s.display.carsText.clear();
  if (s.display.stopBoardPattern == 0) return;
  if (!t.doorsOpen && std::fabs(t.speed) >= 0.1L) return;
  // On one-man trains the door sound follows the boarding draw of the station.
  const bool sound = !d.oneMan || s.boardingRandom <= s.zoneDoorprob;
  if (!t.doorsOpen) {
    t.doorRequest = true;
    if (sound && d.openSound >= 0) sounds.restart(d.openSound);
  } else if (sound && d.closeSound >= 0) {
    sounds.restart(d.closeSound);
  }
  if (t.doorRequest) {
    t.doorsOpen = true;
    lamps.door = false;
  }
}

bool doorClosedDetection(TrainState& t, StationState& s, CabLamps& lamps, const DoorSpec& d, SoundChannels& sounds) {
  if (t.doorRequest || playing(sounds, d.openSound) || playing(sounds, d.closeSound) || lamps.door) return false;
  lamps.door = true;
  t.doorsOpen = false;
  if (d.departureSignal >= 0) sounds.restart(d.departureSignal);
  ++s.doorCloseCount;
  return true;
}

void doorClosingCounter(const TrainState& t, StationState& s) {
  if (t.doorsOpen && !t.doorRequest)
    ++s.doorClosingTicks;
  else if (!t.doorsOpen && !t.doorRequest)
    s.doorClosingTicks = 0;
}

void automaticDoorClosing(TrainState& t, StationState& s, CabLamps& lamps, const DoorSpec& d, SoundChannels& sounds) {
  if (std::fabs(t.speed) > 5 && t.doorRequest && t.doorsOpen) Door_operate(t, s, lamps, d, sounds);
}

}  // namespace cab
