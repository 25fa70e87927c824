#include "core/shell/drive_callouts.h"

#include "core/route/callouts/announcements.h"
#include "core/route/callouts/callout_queue.h"
#include "core/route/callouts/callouts.h"
#include "core/shell/drive.h"

namespace cab {

namespace {

constexpr int DoorsClosedSlot = 19;

CalloutSources sources(const Drive& d) { return {d.route, d.soundBank}; }

// What the driver has in view, from the subsystems that show it.
CalloutScene scene(Drive& d) {
  CalloutScene s{d.trackEvents};
  s.shownSignal = d.signalState.shownSignal;
  s.shownSignalImage = d.signalState.shownSignalImage;
  s.shownSignalSub = d.signalState.shownSignalSub;
  s.limitSignImage = d.speedLimits.limitSignImage;
  s.limitApproach = d.speedLimits.limitApproach;
  s.limitPassing = d.speedLimits.limitPassing;
  s.speed = d.train.speed;
  s.frame = d.train.frame;
  s.clock = d.operation.clock;
  s.zoneStation = d.stationState.zoneStation;
  return s;
}

// The announcements' view of the route; the station table lives as long as the call.
template <class Rule>
void withAnnouncements(Drive& d, Rule rule) {
  const StationTable stations(d.stations());
  rule(AnnouncementSources{d.route, stations, d.routeSounds, *d.sound});
}

}  // namespace

bool overrunAnnouncementStep(Drive& d) {
  withAnnouncements(d,
                    [&](const AnnouncementSources& a) { overrunAnnouncement(d.train, d.stationState, a, d.callouts); });
  return true;
}

bool approachAnnouncementsStep(Drive& d) {
  withAnnouncements(
      d, [&](const AnnouncementSources& a) { approachAnnouncements(d.train, d.stationState, a, d.callouts); });
  return true;
}

bool stopRequestLampStep(Drive& d) {
  stopRequestLamp(StationTable(d.stations()), d.operation.clock, d.operation.lamps, d.callouts);
  return true;
}

bool calloutQueueStep(Drive& d) {
  kanko_queue_play(d.callouts.queue, *d.sound, d.soundBank.calloutChannel(), d.options.Kanko == 1, d.dialogs());
  return true;
}

void overrunFollowUpStep(Drive& d) {
  withAnnouncements(d, [&](const AnnouncementSources& a) { overrunFollowUp(d.train, d.stationState, a, d.callouts); });
}

void stationCallout(Drive& d, int e) { station_kanko(e, sources(d), scene(d), d.callouts); }

void doorsClosedCallouts(Drive& d) {
  kanko_queue_add(d.callouts.queue, waveAt(d.soundBank.calloutWaves, DoorsClosedSlot));
  stationCallout(d, 3);
}

void departureCallout(Drive& d) {
  if (departureEvent(d.train, d.stationState)) stationCallout(d, 4);
}

void calloutKeyDown(Drive& d) { calloutKey(sources(d), scene(d), d.callouts); }

void announcementKey(Drive& d, char key) {
  withAnnouncements(d, [&](const AnnouncementSources& a) {
    if (key == '-')
      previousAnnouncement(a, d.callouts);
    else
      nextAnnouncement(a, d.operation.clock, d.boardingSeed(), d.callouts);
  });
}

void jumpCallouts(Drive& d) { d.callouts.queue.clear(); }

}  // namespace cab
