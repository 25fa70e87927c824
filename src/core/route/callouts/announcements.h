#pragma once

#include <cstdint>

namespace cab {

class SoundChannels;
class StationTable;
struct CabLamps;
struct CalloutState;
struct RouteData;
struct RouteSounds;
struct SoundBank;
struct StationState;
struct TrainState;

// The passenger announcements of a route: its "[Announce]" rows, the
// stations they refer to, and the route sounds they play on.
struct AnnouncementSources {
  const RouteData& route;
  const StationTable& stations;
  const RouteSounds& routeSounds;
  SoundChannels& sounds;
};

// Standing beyond the stopping point with the doors closed, outside every
// stop zone: the overrun announcement, once per stop.
void overrunAnnouncement(const TrainState& t, const StationState& st, const AnnouncementSources& a, CalloutState& s);

// Brought back into the stop zone with the doors open after an overrun:
// the announcement that the train has been brought back.
void overrunFollowUp(const TrainState& t, const StationState& st, const AnnouncementSources& a, CalloutState& s);

// On routes with a conductor, each announcement plays once as the train
// passes its point: a distance after a station (only while the next stop is
// more than 100 m away) or before one.
void approachAnnouncements(const TrainState& t, const StationState& st, const AnnouncementSources& a, CalloutState& s);

// One-man routes: the driver's key plays the next announcement in order
// (stopping the one before); the station of that row may draw a stop
// request, with a generator seeded by `seed`.
void nextAnnouncement(const AnnouncementSources& a, int clock, std::uint64_t seed, CalloutState& s);
// Stops the last announcement and steps back to it.
void previousAnnouncement(const AnnouncementSources& a, CalloutState& s);

// The stop-request lamp ("[Others]" lamp 4) lights a station's `time`
// (tenths of a second) after the request was armed, and stays lit.
void stopRequestLamp(const StationTable& stations, int clock, CabLamps& lamps, CalloutState& s);

// The conductor's buzzer: pressed while an announcement plays on a route
// with a conductor, it answers that announcement with its call-out, once.
// The buzzer sounds while the key is held.
void conductorBuzzer(bool held, const AnnouncementSources& a, const SoundBank& bank, int buzzerChannel,
                     CalloutState& s);

}  // namespace cab
