#pragma once

#include <optional>
#include <span>

namespace cab {

class SoundChannels;
struct Sound2Data;

// The "[Sound2]" loop that runs between two stations: it starts when the
// doors close after the departure from a station of its stretch and stops
// at the conductor-worked arrival at its last station. Only a table of
// exactly one row has this effect.
struct StationSectionSound {
  int channel = -1;
  int fromStation = 0;
  int toStation = 0;  // not part of the stretch
};

// The table's sound on its route channel (routeBase + sound), or none.
std::optional<StationSectionSound> stationSectionSound(std::span<const Sound2Data> rows, int routeBase);

// The arrival with a conductor at station i stops the loop at the stretch's end.
void stationSectionArrival(const std::optional<StationSectionSound>& s, int i, SoundChannels& sounds);
// The doors closing after the departure from station i start the loop within the stretch.
void stationSectionDeparture(const std::optional<StationSectionSound>& s, int i, SoundChannels& sounds);

}  // namespace cab
