// The drive's start at a station and the "Move" menu's jump to one.
#include "core/data/rows_in_use.h"
#include "core/platform/clock.h"
#include "core/route/stations/station_jump.h"
#include "core/route/stations/timetable_clock.h"
#include "core/shell/drive.h"
#include "core/shell/drive_callouts.h"
#include "core/shell/drive_protection.h"
#include "core/shell/drive_signals.h"
#include "core/shell/drive_track_events.h"
#include "core/vehicle/masconupdate.h"

namespace cab {

namespace {}  // namespace

std::uint64_t Drive::boardingSeed() const { return static_cast<std::uint64_t>(platform_.clock.nowSeconds() * 1000); }

void Drive::clearDoneFlags() {
  stationState.clearDoneFlags(stations().size());
  for (auto& e : movieSwitches()) e.done = false;
  runningSounds.clearDoneFlags(rowsInUse(route.Sound, route.SoundCount).size(),
                               rowsInUse(route.Switch, route.SwitchCount).size());
  callouts.clearDoneFlags(RouteCapacity::Announce, RouteCapacity::Rows);
}

void Drive::placeAtStation(int t) {
  const StationTable s(stations());
  stationState.display.stationText = "ただいま " + s[t].Name;
  stationState.doorCloseCount = t;
  train.position = s[t].position;
  stationState.remainingDistance = 0;
  stationState.nextStopPosition = s[t].position;
  stationState.nextStopIndex = t;
}

void Drive::startStations() {
  gearbox = gearboxOf(vehicle);
  doorSpec.openSound = vehicle.Sound_DoorOpen;
  doorSpec.closeSound = vehicle.Sound_DoorClose;
  doorSpec.departureSignal = vehicle.DepSign;
  const StationTable s(stations());
  const int start = request_.startStation;
  clearDoneFlags();
  if (s.count() > 0 && s[start].trntype == 0) {
    train.doorsOpen = true;
    train.doorRequest = true;
    operation.lamps.door = false;
  }
  callouts.announceIndex = start + 1;
  train.gear = 0;
  train.engineRunning = 1;
  placeAtStation(start);
  updateSectionMaxSpeed(stationState, s, train.position);
  startProtection(*this);
  const int from = start < 1 ? 0 : start;
  const StationData& first = s[from];
  operation.clock = startClock(start, TimedStop{stationDeparture(s, from), routeSounds.clockLength(first.arrsound) / 30,
                                                routeSounds.clockLength(first.depsound) / 30});
}

void Drive::StationClick(int t) {
  const StationTable s(stations());
  if (t < 0 || t >= s.count()) return;
  callouts.announceIndex = firstAnnouncementFrom(route, t).value_or(callouts.announceIndex);
  beginRelocation();
  train.speed = 0;
  train.frame = s[t].Start;
  video.shownFrame = s[t].Start - 1;
  operation.clock = stationClock(s, routeSounds, t);
  if (!doorSpec.oneMan) stationState.arrived[static_cast<std::size_t>(t)] = true;
  signalsAfterJump(*this);
  speedLimits.limitApproach = false;
  train.powerHandle = 0;
  train.powerNotch = 0;
  train.brakeHandle = train.brakeCommand = train.sapCommand = 1 - vehicle.Brake;
  placeAtStation(t);
  stationState.runEnding = false;
  jumpProtection(*this);
  train.stepDistance = 0;
  train.filmSpeedRow = -1;
  if (doorSpec.oneMan) stationState.display.carsText.clear();
  finishRelocation();
}

void Drive::beginRelocation() {
  if (video.videoSwitchState >= 1) {
    // Back from a station or branch video to the route's own; the switch
    // state and the shown frame are set for the new place by the caller.
    video.reopenMainVideo();
    video.switchMovieFrame = 0;
    physicsOn = 1;
  }
  setCaption(route.LineName);
  clearDoneFlags();
  // Channel 0 keeps playing.
  for (int channel = 1; channel < SoundMixer::ChannelCount; ++channel) sound->stop(channel);
  train.doorsOpen = false;
  train.doorRequest = false;
  operation.lamps.door = true;
}

void Drive::finishRelocation() {
  jumpTrackEvents(*this);
  jumpCallouts(*this);
  video.videoSwitchState = 0;
  reverseRunning = false;
  if (!signalAhead(route, train.frame))
    signalState.shownSignalImage = signalState.prevSignalImage = signalState.shownSignal = signalState.shownSignalSub =
        protection.signalLimit = NoSignalShown;
  masconupdate(train, vehicle, strings, protection.flags());
}

}  // namespace cab
