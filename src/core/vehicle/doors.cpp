#include "core/vehicle/doors.h"

#include <cmath>

#include "core/route/operation_state.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

bool playing(const SoundChannels& sounds, int channel) { return channel >= 0 && sounds.isPlaying(channel); }

}  // namespace

void Door_operate(TrainState& t, OperationState& o, const DoorSpec& d, SoundChannels& sounds) {
  t.doorRequest = false;
  if (d.oneMan) o.display.carsText.clear();
  if (o.display.stopBoardPattern == 0) return;
  if (!t.doorsOpen && std::fabs(t.speed) >= 0.1L) return;
  // On one-man trains the door sound follows the boarding draw of the station.
  const bool sound = !d.oneMan || o.boardingRandom <= o.zoneDoorprob;
  if (!t.doorsOpen) {
    t.doorRequest = true;
    if (sound && d.openSound >= 0) sounds.restart(d.openSound);
  } else if (sound && d.closeSound >= 0) {
    sounds.restart(d.closeSound);
  }
  if (t.doorRequest) {
    t.doorsOpen = true;
    o.lamps.door = false;
  }
}

bool doorClosedDetection(TrainState& t, OperationState& o, const DoorSpec& d, SoundChannels& sounds) {
  if (t.doorRequest || playing(sounds, d.openSound) || playing(sounds, d.closeSound) || o.lamps.door) return false;
  o.lamps.door = true;
  t.doorsOpen = false;
  if (d.departureSignal >= 0) sounds.restart(d.departureSignal);
  ++o.doorCloseCount;
  return true;
}

void doorClosingCounter(const TrainState& t, OperationState& o) {
  if (t.doorsOpen && !t.doorRequest)
    ++o.doorClosingTicks;
  else if (!t.doorsOpen && !t.doorRequest)
    o.doorClosingTicks = 0;
}

void automaticDoorClosing(TrainState& t, OperationState& o, const DoorSpec& d, SoundChannels& sounds) {
  if (std::fabs(t.speed) > 5 && t.doorRequest && t.doorsOpen) Door_operate(t, o, d, sounds);
}

}  // namespace cab
