#pragma once

#include <cstddef>
#include <vector>

namespace cab {

// What the running and environment sounds keep from tick to tick. The
// engine-sound rows' volumes and fades are kept with the bank's waves
// (SoundBank::engineGain1, engineGain3).
struct RunningSoundState {
  // Cross-fade weights (1 … 100) of the two rail-noise channels of this tick.
  long double railFadeOut = 1;
  long double railFadeIn = 1;
  // Master factors of the motor (or engine) sounds and of the gear sounds.
  long double motorMaster = 1;
  long double gearMaster = 1;
  // One-shot latches of the release and the emergency air sounds.
  bool brakeSoundLatched = false;
  bool ebSoundLatched = false;
  // Volume factor of the route-placed sounds: 1 outside "[Atten]" zones.
  long double attenFactor = 1;
  // Per "[Sound]" row: its sound was started; per "[Switch]" row: its points
  // sound was played.
  std::vector<bool> routeSoundStarted;
  std::vector<bool> switchSoundStarted;

  // The drive start, the station jump and a restored state play every
  // route-placed and points sound again.
  void clearDoneFlags(std::size_t soundRows, std::size_t switchRows) {
    routeSoundStarted.assign(soundRows, false);
    switchSoundStarted.assign(switchRows, false);
  }
};

}  // namespace cab
