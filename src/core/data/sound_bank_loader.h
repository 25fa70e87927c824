#pragma once

#include <string>

#include "core/sound/sound_bank.h"

namespace cab {

class DataDirectory;
class SoundMixer;
class StatusSink;
struct RouteData;
struct VehicleSpec;

// Where a drive's sounds come from: the vehicle's sounds and engine sounds
// lie in the vehicle directory (the data directory when it is empty), the
// route's sounds and call-outs in the data directory.
struct SoundSources {
  const DataDirectory& data;
  const std::string& vehicleDirectory;
  const VehicleSpec& vehicle;
  const RouteData& route;
};

// Loads every sound the vehicle and the route name, phase by phase with its
// progress text, and binds each to its channel of the mixer: vehicle sounds,
// route sounds (both with their lengths in whole seconds from the WAVE
// header), call-outs, engine sounds. Every engine gain starts at 1.0 and
// every channel with a sound is stopped. An empty name loads nothing but
// keeps its place. A missing file halts with its folder and name followed by
// "が見つかりません"; a file that is no playable WAVE halts the same way,
// followed by "を読み込めません" and the reason.
SoundBank loadSoundBank(const SoundSources& sources, SoundMixer& mixer, StatusSink& status);

}  // namespace cab
