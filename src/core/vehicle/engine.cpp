#include "core/vehicle/engine.h"

#include <cmath>

#include "core/sound/sound_channels.h"
#include "core/vehicle/gearbox.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

void restart(SoundChannels& sounds, int channel) {
  if (channel >= 0) sounds.restart(channel);
}

}  // namespace

void engineStartStop(TrainState& t, const GearboxSpec& g, SoundChannels& sounds) {
  const int request = t.startStopRequest;
  const int held = t.startStopHeld;
  switch (t.engineRunning) {
    case 0:
      if (request == 1 && held == CrankTicks) {
        restart(sounds, g.starterSound);
        t.engineRunning = -1;
      }
      break;
    case -1:
      if (request == 1 && held >= StartTicks) {
        t.engineRunning = 1;
      } else if (request != 1) {
        restart(sounds, g.engineStopSound);
        t.engineRunning = 0;
      }
      break;
    case 1:
      if (request == 2 && held == CrankTicks && t.powerHandle == 0) t.engineRunning = -2;
      break;
    case -2:
      if (request == 2) {
        if (held == StopSoundTicks) restart(sounds, g.engineStopSound);
        if (held >= StopTicks) t.engineRunning = 0;
      } else {
        t.engineRunning = 1;
      }
      break;
    default:
      break;
  }
  t.startStopHeld = request == 0 ? 0 : held + 1;
}

bool engineStall(TrainState& t, const GearboxSpec& g, SoundChannels& sounds) {
  const int top = g.gearCount() - 1;
  if (!g.diesel || t.engineRunning != 1 || t.reverser == 0 || t.gear != top || t.gearLever != top ||
      t.powerNotch <= 0 || std::fabs(t.speed) >= 0.5L)
    return false;
  t.engineRunning = 0;
  t.powerNotch = 0;
  restart(sounds, g.engineStopSound);
  return true;
}

}  // namespace cab
