#pragma once

#include <array>

namespace cab {

// Lamps of the cab panel the tick lights and darkens; the panel shows each
// configured lamp's sprite while its flag is set. Stations, doors, traction,
// protection and the engine each drive some of them.
struct CabLamps {
  static constexpr int OthersCapacity = 11;
  bool door = true;  // doors closed
  bool power = false;
  bool gen = false;
  bool ele = false;
  bool fin = false;
  bool air = false;
  bool constant = false;
  bool stop = false;
  bool limitSign = false;                     // the speed-limit sign image, blinking while a limit approaches
  std::array<bool, OthersCapacity> others{};  // "[Others]" pictures
  // Train protection: the spot type's power, bell and acknowledged lamps,
  // the pattern type's approach and brake lamps, the vigilance warning, and
  // the cab limit lamp "[Lamp_signal]" with the frame it shows.
  bool ats1 = false, ats2 = false, ats3 = false;
  bool atsp1 = false, atsp2 = false;
  bool eb = false;
  bool cabLimit = false;
  int cabLimitFrame = 0;
};

// What every subsystem of route operation shares: the tick count that
// blinking lamps follow, the route clock and the cab lamps. Each subsystem
// keeps the rest of its state in its own record.
struct OperationState {
  int tickCount = 0;  // ticks since the start of the drive
  int clock = 0;      // time of day, 1/30 s units from 00:00:00
  CabLamps lamps;
};

// A blinking lamp goes dark on ticks where tickCount mod 10 is 5 and lights
// on ticks where it is 0; in between it keeps its state.
bool blinkPhase(int tickCount, bool lit);

}  // namespace cab
