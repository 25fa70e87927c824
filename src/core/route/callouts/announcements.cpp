#include "core/route/callouts/announcements.h"

#include <random>

#include "core/data/route_data.h"
#include "core/route/callouts/callout_queue.h"
#include "core/route/callouts/callout_state.h"
#include "core/route/operation_state.h"
#include "core/route/stations/station_state.h"
#include "core/route/stations/stations.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr long double AnnounceWindow = 500;       // cm from an announcement's point
constexpr long double NextStopClearance = 10000;  // cm: no "after the station" announcement closer to a stop
constexpr int StopRequestLamp = 4;

bool flagAt(const std::vector<bool>& flags, int i) {
  return i >= 0 && i < static_cast<int>(flags.size()) && flags[static_cast<std::size_t>(i)];
}
void setFlag(std::vector<bool>& flags, int i, bool value) {
  if (i >= 0 && i < static_cast<int>(flags.size())) flags[static_cast<std::size_t>(i)] = value;
}

const AnnounceData& row(const AnnouncementSources& a, int k) { return a.route.Announce[static_cast<std::size_t>(k)]; }

void playSound(const AnnouncementSources& a, int k) {
  const int channel = a.routeSounds.channel(k);
  if (channel >= 0) a.sounds.play(channel);
}

// Plays route sound k once when it is silent; false when it was not played.
bool playWhenSilent(const AnnouncementSources& a, int k) {
  const int channel = a.routeSounds.channel(k);
  if (channel < 0 || a.sounds.isPlaying(channel)) return false;
  a.sounds.play(channel);
  return true;
}

void stopSound(const AnnouncementSources& a, int k) {
  const int channel = a.routeSounds.channel(k);
  if (channel >= 0) a.sounds.stop(channel);
}

bool anyInZone(const StationState& st) {
  for (bool in : st.inZone)
    if (in) return true;
  return false;
}

bool oneManRoute(const RouteData& r) { return r.OneMan == 1; }

}  // namespace

void overrunAnnouncement(const TrainState& t, const StationState& st, const AnnouncementSources& a, CalloutState& s) {
  if (t.speed >= 1 || t.doorsOpen || st.remainingDistance >= 0 || anyInZone(st)) return;
  // A stop beyond the flags' range has no flag to keep and is not announced.
  const int stop = st.doorCloseCount;
  if (stop < 0 || stop >= static_cast<int>(s.overrunAnnounced.size()) || flagAt(s.overrunAnnounced, stop)) return;
  playSound(a, row(a, 0).sound);
  setFlag(s.overrunAnnounced, stop, true);
}

void overrunFollowUp(const TrainState& t, const StationState& st, const AnnouncementSources& a, CalloutState& s) {
  if (!stopped(t.speed) || !t.doorsOpen) return;
  for (int i = 0; i < a.stations.count(); ++i) {
    if (!flagAt(st.inZone, i) || flagAt(st.doorsClosedAtStation, i) || a.stations[i].trntype != 0) continue;
    if (!flagAt(s.overrunAnnounced, i)) continue;
    playSound(a, a.route.AnnounceValue);
    setFlag(s.overrunAnnounced, i, false);
  }
}

void approachAnnouncements(const TrainState& t, const StationState& st, const AnnouncementSources& a, CalloutState& s) {
  if (a.route.OneMan != 0 && a.route.OneMan != 2) return;
  for (int k = 1; k <= a.route.AnnounceCount; ++k) {
    const AnnounceData& r = row(a, k);
    const long double p = a.stations[r.station].position;
    long double from = 0;
    if (r.kind == 0) {
      if (st.remainingDistance <= NextStopClearance) continue;
      from = p + 100.0L * r.offset;
    } else if (r.kind == 1) {
      from = p - 100.0L * r.offset;
    } else {
      continue;
    }
    if (t.position < from || t.position >= from + AnnounceWindow || flagAt(s.announceDone, k)) continue;
    if (playWhenSilent(a, r.sound)) setFlag(s.announceDone, k, true);
  }
}

void nextAnnouncement(const AnnouncementSources& a, int clock, std::uint64_t seed, CalloutState& s) {
  const int n = s.announceIndex;
  if (!oneManRoute(a.route) || n > a.route.AnnounceCount || n < 0) return;
  const int channel = a.routeSounds.channel(row(a, n).sound);
  if (channel < 0 || a.sounds.isPlaying(channel)) return;
  if (n > 0) stopSound(a, row(a, n - 1).sound);
  a.sounds.restart(channel);
  // Passengers of the row's station may ask to stop: always when `prob`
  // is at most 11, else with 11 chances in `prob`.
  const int prob = a.stations[n].prob;
  if (prob > 0) {
    std::mt19937 generator(static_cast<std::mt19937::result_type>(seed ^ (seed >> 32)));
    if (std::uniform_int_distribution<int>(0, prob - 1)(generator) <= 10) {
      s.stopRequestArmed = true;
      s.stopRequestClock = clock;
    }
  }
  s.announceIndex = n + 1;
}

void previousAnnouncement(const AnnouncementSources& a, CalloutState& s) {
  const int n = s.announceIndex;
  if (!oneManRoute(a.route) || n <= 0) return;
  if (n - 1 <= a.route.AnnounceCount) stopSound(a, row(a, n - 1).sound);
  s.announceIndex = n - 1;
}

void stopRequestLamp(const StationTable& stations, int clock, CabLamps& lamps, CalloutState& s) {
  if (s.announceIndex <= 0 || !s.stopRequestArmed) return;
  if (s.stopRequestClock + 3 * stations[s.announceIndex - 1].time >= clock) return;
  lamps.others[StopRequestLamp] = true;
  s.stopRequestArmed = false;
}

void conductorBuzzer(bool held, const AnnouncementSources& a, const SoundBank& bank, int buzzerChannel,
                     CalloutState& s) {
  if (!held) {
    s.buzzerLatched = false;
  } else if (!s.buzzerLatched) {
    for (int i = 1; i <= a.route.AnnounceCount && a.route.OneMan == 0; ++i) {
      const AnnounceData& r = row(a, i);
      const int channel = a.routeSounds.channel(r.sound);
      if (!flagAt(s.announceDone, i) || flagAt(s.announceAnswered, i) || channel < 0 || !a.sounds.isPlaying(channel) ||
          r.kanko == 0)
        continue;
      kanko_queue_add(s.queue, waveAt(bank.calloutWaves, r.kanko));
      setFlag(s.announceAnswered, i, true);
    }
    s.buzzerLatched = true;
  }
  if (buzzerChannel < 0) return;
  if (s.buzzerLatched && !a.sounds.isPlaying(buzzerChannel))
    a.sounds.loop(buzzerChannel);
  else if (!s.buzzerLatched && a.sounds.isPlaying(buzzerChannel))
    a.sounds.stop(buzzerChannel);
}

}  // namespace cab
