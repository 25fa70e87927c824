#pragma once

namespace cab {

struct TrainState;
struct VehicleSpec;
class SoundChannels;

// The main reservoir's constant leak of 0.2 kPa/s, per physics step.
void mainReservoirLeak(TrainState& t, long double framesPerSecond);

// The compressor governor, per 100 ms tick: starts below the low pressure,
// stops at the high pressure, and charges the main reservoir while running
// (electric vehicles 0.3 kPa a tick; diesels by engine speed).
void compressorTick(TrainState& t, const VehicleSpec& v, SoundChannels& sound, long double engineRpm);

}  // namespace cab
