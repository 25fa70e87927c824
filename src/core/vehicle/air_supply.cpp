#include "core/vehicle/air_supply.h"

#include "core/data/vehicle_spec.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"

namespace cab {

void mainReservoirLeak(TrainState& t, long double framesPerSecond) { t.mrPressure -= 0.2L / framesPerSecond; }

void compressorTick(TrainState& t, const VehicleSpec& v, SoundChannels& sound, long double engineRpm) {
  if (t.mrPressure < v.LowAirPress && !t.compressorRunning) {
    sound.restart(v.CP_Start);
    sound.loop(v.CP_Cnt);
    t.compressorRunning = true;
  } else if (t.compressorRunning && t.mrPressure >= v.HighAirPress) {
    sound.restart(v.CP_End);
    sound.stop(v.CP_Cnt);
    t.compressorRunning = false;
  }
  if (t.compressorRunning) t.mrPressure += v.Engine_Type == 0 ? engineRpm / 100 * 0.4L : 0.3L;
}

}  // namespace cab
