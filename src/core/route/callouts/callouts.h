#pragma once

namespace cab {

struct CalloutState;
struct RouteData;
struct SoundBank;
struct StationState;
struct TrackEventState;
struct TrainState;

// The route's call-out tables and the call-out sounds they name.
struct CalloutSources {
  const RouteData& route;
  const SoundBank& sounds;
};

// What is ahead of the driver when a call-out is made: the signal on
// screen (its row, picture and sub-signal value; 999 none), the sign and
// the level crossings of the track events (the crossing call-out takes its
// crossing out of their queue), and the speed-limit sign.
struct CalloutScene {
  TrackEventState& track;
  int shownSignal = 999;
  int shownSignalImage = 999;
  int shownSignalSub = 999;
  int limitSignImage = 999;
  bool limitApproach = false;
  bool limitPassing = false;
  long double speed = 0;  // km/h
  int frame = 0;
  int clock = 0;        // route clock, 1/30 s
  int zoneStation = 0;  // the station whose stop zone was entered last
};

// The call-out key (Enter): the first of sign, limit approach, limit
// passage, level crossing and signal that applies is called out.
void calloutKey(const CalloutSources& src, const CalloutScene& scene, CalloutState& s);

// The "[SignalKanko]" rows of the signal on screen: pass 1 with a
// sub-signal call-out, pass 2 after the signal's own call-out.
void kanko_add(int n, const CalloutSources& src, const CalloutScene& scene, CalloutState& s);

// The time check of the clock against timetable time `time`: on time within
// 10 s, else the deviation in steps of 10 s up to 2 min 10 s, early or late.
void Timekanko(int time, const CalloutSources& src, int clock, CalloutState& s);

// The time checks of the "[Time]" rows whose range holds the frame.
void Timecheck(const CalloutSources& src, const CalloutScene& scene, CalloutState& s);

// The station call-outs of event `e` at the station whose stop zone was
// entered last: 0 stopped with the doors closed, 1 arrival with the doors
// opening, 2 departure, 3 doors closed, 4 first power after an arrival,
// 5 doors closed after the departure.
void station_kanko(int e, const CalloutSources& src, const CalloutScene& scene, CalloutState& s);

// The departure: the first power notch with the doors closed after an
// arrival disarms the departure call-out. True when it was armed (the
// caller then raises station event 4).
bool departureEvent(const TrainState& t, StationState& st);

}  // namespace cab
