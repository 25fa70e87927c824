#include "core/route/running_sounds/station_section_sound.h"

#include "core/data/route_records.h"
#include "core/sound/sound_channels.h"

namespace cab {

std::optional<StationSectionSound> stationSectionSound(std::span<const Sound2Data> rows, int routeBase) {
  if (rows.size() != 1) return std::nullopt;
  const Sound2Data& r = rows.front();
  if (r.sound < 0) return std::nullopt;
  return StationSectionSound{routeBase + r.sound, r.fromStation, r.toStation};
}

void stationSectionArrival(const std::optional<StationSectionSound>& s, int i, SoundChannels& sounds) {
  if (s && s->toStation == i && sounds.isPlaying(s->channel)) sounds.stop(s->channel);
}

void stationSectionDeparture(const std::optional<StationSectionSound>& s, int i, SoundChannels& sounds) {
  if (s && s->fromStation <= i && i < s->toStation && !sounds.isPlaying(s->channel)) sounds.loop(s->channel);
}

}  // namespace cab
