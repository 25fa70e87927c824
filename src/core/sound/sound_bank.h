#pragma once

#include <array>
#include <memory>
#include <vector>

#include "core/sound/wave.h"

namespace cab {

using WavePtr = std::shared_ptr<const Wave>;

// Every sound of a drive, loaded once with the drive's data, and where the
// channel layout puts each group: vehicle sounds from 0, route sounds from
// routeBase(), the two engine tables after them and the call-out channel
// last. Empty slots hold no wave but keep their channel.
struct SoundBank {
  std::vector<WavePtr> driveWaves;  // "[DriveSound]", channel i
  std::vector<int> driveSeconds;    // whole seconds of each
  std::vector<WavePtr> envWaves;    // "[SoundData]", channel D + k
  std::vector<int> envSeconds;
  std::vector<WavePtr> calloutWaves;       // call-out slots ("[KankoSound1]", "[KankoSound2]" from 22)
  std::vector<WavePtr> otherCalloutWaves;  // "[OtherKanko]"
  std::vector<WavePtr> limitCalloutWaves;  // "[LimitKanko]"
  std::vector<WavePtr> engineWaves1;       // "[EngineSound1]", channel engineBase1() + r
  std::vector<WavePtr> engineWaves3;       // "[EngineSound3]", channel engineBase3() + r
  // Per engine-sound row: its interpolated volume (percent) and its fade
  // factor, 1.0 after loading; the running sounds keep them from tick to tick.
  std::vector<std::array<long double, 2>> engineGain1, engineGain3;

  int routeBase() const { return int(driveWaves.size()); }
  int engineBase1() const { return routeBase() + int(envWaves.size()); }
  int engineBase3() const { return engineBase1() + int(engineWaves1.size()); }
  int calloutChannel() const { return engineBase3() + int(engineWaves3.size()) + 1; }

  // How many vehicle, route and call-out sounds were loaded: a stop mark
  // silences channels 1 up to this count.
  int loadedSoundCount() const {
    int n = 0;
    for (const auto* list : {&driveWaves, &envWaves, &calloutWaves, &otherCalloutWaves, &limitCalloutWaves})
      for (const WavePtr& w : *list) n += w != nullptr;
    return n;
  }
};

}  // namespace cab
