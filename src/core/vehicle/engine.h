#pragma once

namespace cab {

class SoundChannels;
struct GearboxSpec;
struct TrainState;

// Ticks the start key must be held to crank (1) and to start (50); the stop
// key sounds the engine stopping at 40 and stops it at 50.
constexpr int CrankTicks = 1;
constexpr int StartTicks = 50;
constexpr int StopSoundTicks = 40;
constexpr int StopTicks = 50;

// One tick of the start/stop sequence of the engine (or an electric
// vehicle's power unit), driven by the held start (F2) or stop (Shift+F2) key.
void engineStartStop(TrainState& t, const GearboxSpec& g, SoundChannels& sounds);

// A running diesel engine stalls when power is taken in the top gear at a
// standstill. Returns true when it stalled.
bool engineStall(TrainState& t, const GearboxSpec& g, SoundChannels& sounds);

}  // namespace cab
