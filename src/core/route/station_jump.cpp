#include <algorithm>

#include "core/platform/clock.h"
#include "core/route/stations.h"
#include "core/route/timetable_clock.h"
#include "core/shell/drive.h"
#include "core/vehicle/masconupdate.h"
#include "core/vehicle/protection_flags.h"

namespace cab {

namespace {

constexpr int ChannelCount = 320;

void clearStationFlags(OperationState& o, std::size_t count) {
  for (auto* flags :
       {&o.inZone, &o.arrived, &o.departed, &o.doorsClosedAtStation, &o.oneManDoorDone, &o.overrunAnnounced})
    flags->assign(count + 1, false);
}

// A station's departure time: its timetable time, or for a station without
// one a time interpolated between its timed neighbours.
int stationDeparture(const StationTable& s, int t) {
  const StationData& stop = s[t];
  if (stop.deptime != 0) return stop.deptime;
  std::optional<TimedPoint> before, after;
  for (int p = t - 1; p >= 0 && !before; --p)
    if (s[p].deptime != 0) before = TimedPoint{s[p].deptime, static_cast<long double>(s[p].position)};
  for (int q = t + 1; q < s.count() && !after; ++q)
    if (s[q].deptime != 0) after = TimedPoint{s[q].deptime, static_cast<long double>(s[q].position)};
  return interpolatedDeparture(before, after, stop.position).value_or(0);
}

// The stop's clock: its departure time less its two sounds.
int stationClock(const StationTable& s, const RouteSounds& sounds, int t) {
  const StationData& stop = s[t];
  return stationDeparture(s, t) - sounds.clockLength(stop.depsound) - sounds.clockLength(stop.arrsound);
}

// The first announcement (kind 0) at or after station t, rows 1 on.
std::optional<int> firstAnnouncementFrom(const RouteData& r, int t) {
  for (int k = 1; k <= r.AnnounceCount; ++k) {
    const AnnounceData& a = r.Announce[static_cast<std::size_t>(k)];
    if (a.station >= t && a.kind == 0) return k;
  }
  return std::nullopt;
}

// Whether a signal's approach range holds the frame.
bool signalAhead(const RouteData& r, int frame) {
  for (int i = 0; i < r.SignalCount; ++i) {
    const SignalData& s = r.Signal[static_cast<std::size_t>(i)];
    if (s.startFrame < frame && frame < s.positionFrame) return true;
  }
  return false;
}

GearboxSpec gearboxOf(const VehicleSpec& v) {
  GearboxSpec g;
  g.diesel = v.Engine_Type == 0;
  g.automatic = v.Gear_Type == 0;
  for (int k = 0; k < v.EngineCount; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const EngineRateRow rate = i < v.EngineRate.size() ? v.EngineRate[i] : EngineRateRow{};
    g.gears.push_back({v.Engine[i].s0, v.Engine[i].s2, rate.baseRpm, rate.rpmPerKmh});
  }
  g.starterSound = v.EngineSound2[2];
  g.engineStopSound = v.EngineSound2[3];
  return g;
}

}  // namespace

std::uint64_t Drive::boardingSeed() const { return static_cast<std::uint64_t>(platform_.clock.nowSeconds() * 1000); }

void Drive::startStations() {
  gearbox = gearboxOf(vehicle);
  doorSpec.openSound = vehicle.Sound_DoorOpen;
  doorSpec.closeSound = vehicle.Sound_DoorClose;
  doorSpec.departureSignal = vehicle.DepSign;
  const StationTable s(stations());
  const int start = request_.startStation;
  clearStationFlags(operation, stations().size());
  if (s.count() > 0 && s[start].trntype == 0) {
    train.doorsOpen = true;
    train.doorRequest = true;
    operation.lamps.door = false;
  }
  operation.announceIndex = start + 1;
  operation.remainingDistance = 0;
  train.gear = 0;
  train.engineRunning = 1;
  operation.display.stationText = "ただいま " + s[start].Name;
  operation.doorCloseCount = start;
  train.position = s[start].position;
  operation.nextStopPosition = s[start].position;
  operation.nextStopIndex = start;
  updateSectionMaxSpeed(operation, s, train.position);
  operation.patternSpeed = operation.sectionMaxSpeed + 10;
  const int from = start < 1 ? 0 : start;
  const StationData& first = s[from];
  operation.clock = startClock(start, TimedStop{stationDeparture(s, from), routeSounds.clockLength(first.arrsound) / 30,
                                                routeSounds.clockLength(first.depsound) / 30});
}

void Drive::StationClick(int t) {
  const StationTable s(stations());
  if (t < 0 || t >= s.count()) return;
  OperationState& o = operation;
  o.announceIndex = firstAnnouncementFrom(route, t).value_or(o.announceIndex);
  if (video.videoSwitchState >= 1) {
    // Back from a station or branch video to the route's own; the switch
    // state and the shown frame are set for the target below.
    video.reopenMainVideo();
    video.switchMovieFrame = 0;
    physicsOn = 1;
  }
  setCaption(route.LineName);
  train.speed = 0;
  clearStationFlags(o, stations().size());
  for (auto& e : movieSwitches()) e.done = false;
  // Channel 0 keeps playing.
  for (int channel = 1; channel < ChannelCount; ++channel) sound->stop(channel);
  train.doorsOpen = false;
  train.doorRequest = false;
  o.lamps.door = true;
  train.frame = s[t].Start;
  video.shownFrame = s[t].Start - 1;
  o.display.stationText = "ただいま " + s[t].Name;
  o.clock = stationClock(s, routeSounds, t);
  if (!doorSpec.oneMan) o.arrived[static_cast<std::size_t>(t)] = true;
  o.preTrainFrame = 0;
  o.doorCloseCount = t;
  o.prevSignalImage = 1000;
  o.gradient = Fixed4();
  o.avgGradient = Fixed4();
  train.powerHandle = 0;
  train.powerNotch = 0;
  train.brakeHandle = train.brakeCommand = train.sapCommand = 1 - vehicle.Brake;
  train.position = s[t].position;
  o.remainingDistance = 0;
  o.nextStopPosition = s[t].position;
  o.nextStopIndex = t;
  o.runEnding = false;
  o.signalLimit = 999;
  train.stepDistance = 0;
  train.filmSpeedRow = -1;
  if (doorSpec.oneMan) o.display.carsText.clear();
  video.videoSwitchState = 0;
  reverseRunning = 0;
  if (!signalAhead(route, train.frame)) o.shownSignalImage = o.prevSignalImage = o.shownSignal = o.signalLimit = 999;
  masconupdate(train, vehicle, strings, protectionFlags(o));
}

}  // namespace cab
