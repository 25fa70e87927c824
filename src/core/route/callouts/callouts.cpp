#include "core/route/callouts/callouts.h"

#include <array>
#include <cstdlib>

#include "core/common/rounding.h"
#include "core/data/route_data.h"
#include "core/route/callouts/callout_queue.h"
#include "core/route/callouts/callout_state.h"
#include "core/route/stations/station_state.h"
#include "core/route/track_events/level_crossings.h"
#include "core/route/track_events/track_event_state.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int NoPicture = TrackEventState::NoPicture;
constexpr int TimeSign = TrackEventState::TimeSign;
constexpr int FirstNamedSlot = 22;  // "[KankoSound2]" entries, matched by sub-signal value
constexpr int CabSignalPictures = 35;
constexpr int OnTimeSlot = 18;
constexpr int DepartureSlot = 20;
constexpr int ClockUnitsPer10s = 300;

void queueSlot(const CalloutSources& src, CalloutState& s, int slot) {
  kanko_queue_add(s.queue, waveAt(src.sounds.calloutWaves, slot));
}

// The marker of a sign or limit call-out, kept in lastCallout against repeats.
int marker(const CalloutSources& src, int picture) { return picture + src.sounds.engineBase1() + src.route.KankoCount; }

// The call-out slot of each signal picture below the cab-signal ones (-1
// none): 0 stop, 1 warning, 2 caution, 3 reduced speed, 4 proceed, 5 the
// repeater's, 21 high-speed proceed.
constexpr std::array<int, 35> SlotOfPicture{-1, 0, 5, 4, 2, 3, 4, 0, 2, 4, 0, 2,  4, 0, 2,  3, 4, 0,
                                            1,  2, 4, 0, 1, 2, 3, 4, 0, 2, 4, 21, 0, 2, -1, 4, 21};
constexpr int StopSlot = 0;

int signalSlot(int image) {
  return image >= 0 && image < static_cast<int>(SlotOfPicture.size()) ? SlotOfPicture[static_cast<std::size_t>(image)]
                                                                      : -1;
}

bool stopPicture(int image) { return signalSlot(image) == StopSlot; }

bool moving(long double speed) { return Round(speed) != 0; }

// The level crossing's call-out takes the crossing out of the queue; the
// track events then show the next one.
void crossingCallout(const CalloutSources& src, const CalloutScene& scene, CalloutState& s) {
  const int head = scene.track.crossingQueue.front();
  if (head >= 0 && head < src.route.CrossCount)
    queueSlot(src, s, src.route.Cross[static_cast<std::size_t>(head)].value2);
  if (s.crossingCalloutBusy) return;
  s.crossingCalloutBusy = true;
  shiftCrossingQueue(scene.track);
  s.crossingCalloutBusy = false;
}

void signalCallout(const CalloutSources& src, const CalloutScene& scene, CalloutState& s) {
  const int image = scene.shownSignalImage;
  for (int k = FirstNamedSlot; k < src.route.KankoCount; ++k) {
    if (image >= CabSignalPictures) return;
    if (image != NoPicture && src.route.Kanko[static_cast<std::size_t>(k)].name == scene.shownSignalSub) {
      kanko_add(1, src, scene, s);
      queueSlot(src, s, k);
    }
  }
  queueSlot(src, s, signalSlot(image));
  kanko_add(2, src, scene, s);
}

// A "[StationKanko]" value: a slot, the call-out key, or a timetable time to check.
void stationValue(int value, const CalloutSources& src, const CalloutScene& scene, CalloutState& s) {
  if (value <= 998)
    queueSlot(src, s, value);
  else if (value == 999)
    calloutKey(src, scene, s);
  else
    Timekanko(value, src, scene.clock, s);
}

}  // namespace

void calloutKey(const CalloutSources& src, const CalloutScene& scene, CalloutState& s) {
  const TrackEventState& track = scene.track;
  const int sign = track.shownSign;
  const auto& other = src.sounds.otherCalloutWaves;
  if (sign != NoPicture && (sign == TimeSign || waveAt(other, sign)) && marker(src, sign) != s.lastCallout) {
    if (sign == TimeSign)
      Timecheck(src, scene, s);
    else
      kanko_queue_add(s.queue, waveAt(other, sign));
    s.lastCallout = marker(src, sign);
    return;
  }
  const int limit = scene.limitSignImage;
  const WavePtr limitWave = waveAt(src.sounds.limitCalloutWaves, limit);
  const bool limitCallable = sign == NoPicture && moving(scene.speed) && marker(src, limit) != s.lastCallout;
  if (limitCallable && ((limitWave && scene.limitApproach) || scene.limitPassing)) {
    kanko_queue_add(s.queue, limitWave);
    s.lastCallout = marker(src, limit);
    return;
  }
  if (track.shownCrossing != -1 && Round(scene.speed) > 0 && !track.crossingLampLit) {
    crossingCallout(src, scene, s);
    return;
  }
  signalCallout(src, scene, s);
}

void kanko_add(int n, const CalloutSources& src, const CalloutScene& scene, CalloutState& s) {
  const bool stop = stopPicture(scene.shownSignalImage);
  for (int i = 0; i < src.route.SignalKankoCount; ++i) {
    const auto [signal, type, value, haltOnStop] = src.route.SignalKanko[static_cast<std::size_t>(i)].values;
    if (signal != scene.shownSignal) continue;
    const bool slotRow = (n == 1 && type == 0) || (n == 2 && (type == 2 || type == 1));
    if (!slotRow) continue;
    if (stop && haltOnStop == 1) return;
    if (type == 1 && value > 998)
      Timekanko(value, src, scene.clock, s);
    else
      queueSlot(src, s, value);
  }
}

void Timekanko(int time, const CalloutSources& src, int clock, CalloutState& s) {
  const int d = std::abs(clock - time);
  if (d <= ClockUnitsPer10s) {
    queueSlot(src, s, OnTimeSlot);
    return;
  }
  // Slots 6 to 17: more than 10 k seconds off, k = 1 … 12; beyond that nothing.
  if (d <= ClockUnitsPer10s * 13) queueSlot(src, s, 5 + (d - 1) / ClockUnitsPer10s);
}

void Timecheck(const CalloutSources& src, const CalloutScene& scene, CalloutState& s) {
  for (int i = 0; i < src.route.TimeCount; ++i) {
    const TimeData& row = src.route.Time[static_cast<std::size_t>(i)];
    if (row.startFrame < scene.frame && scene.frame < row.endFrame) Timekanko(row.callout, src, scene.clock, s);
  }
}

void station_kanko(int e, const CalloutSources& src, const CalloutScene& scene, CalloutState& s) {
  // The "[StationKanko]" event each station event reads.
  constexpr std::array RowEvent{4, 0, 1, 2, 3, 5};
  if (src.route.StationKankoCount == 0 || e < 0 || e >= static_cast<int>(RowEvent.size())) return;
  if (e == 4) queueSlot(src, s, DepartureSlot);
  for (int i = 0; i < src.route.StationKankoCount; ++i) {
    const auto [station, event, value] = src.route.StationKanko[static_cast<std::size_t>(i)].values;
    if (station != scene.zoneStation || event != RowEvent[static_cast<std::size_t>(e)]) continue;
    if (e == 0)
      queueSlot(src, s, value);
    else
      stationValue(value, src, scene, s);
  }
}

bool departureEvent(const TrainState& t, StationState& st) {
  if (t.doorsOpen || t.powerHandle <= 0 || !st.departureCalloutArmed) return false;
  st.departureCalloutArmed = false;
  return true;
}

}  // namespace cab
