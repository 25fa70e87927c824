#include "core/route/stations/stations.h"

#include <cmath>

#include "core/common/rounding.h"
#include "core/data/ui_strings.h"
#include "core/route/operation_state.h"
#include "core/route/stations/boarding_random.h"
#include "core/route/stations/doors.h"
#include "core/route/stations/station_state.h"
#include "core/route/stations/timetable_clock.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr long double BackgroundRange = 2000;  // cm around the stopping point

void restart(SoundChannels& sounds, int channel) {
  if (channel >= 0) sounds.restart(channel);
}

bool silent(const SoundChannels& sounds, int channel) { return channel < 0 || !sounds.isPlaying(channel); }

// Raises station call-out event `n` (station_kanko) where call-outs are wired.
void callOut(const StationContext& c, int n) {
  if (c.stationCallout) c.stationCallout(n);
}

// The next-station text names the following station and what the train
// does there.
void nextStationText(StationState& st, const StationData& next, const UiStrings& labels) {
  std::string& text = st.display.stationText;
  switch (next.trntype) {
    case 0:
      text = "次は " + next.Name + labels.Stop;
      break;
    case 1:
      text = "次は " + next.Name + labels.Pass;
      break;
    case 2:
      text = "次は " + next.Name + labels.Stop2;
      break;
    case 3:
      text = labels.InfoLabel[0];
      break;
    default:
      break;
  }
}

// The background sound of a station, louder toward its stopping point. Any
// station within range marks the tick as near a station.
bool backgroundSound(const TrainState& t, const StationData& s, const StationContext& c) {
  const long double distance = std::fabs(t.position - s.position);
  if (distance > BackgroundRange) return false;
  const int channel = c.routeSounds.channel(s.bcksound);
  if (s.bcksound != 0 && channel >= 0) {
    if (!c.sounds.isPlaying(channel)) {
      c.sounds.stop(channel);
      c.sounds.loop(channel);
    }
    if (c.sounds.isPlaying(channel)) {
      // At the very edge of the range the level is silent rather than -infinity.
      const long double ratio = (BackgroundRange - distance) / BackgroundRange;
      const long double level = ratio > 0 ? 2000 * std::log10(ratio) : -10000;
      c.sounds.setVolume(channel, static_cast<int>(Round(level < -10000 ? -10000 : level)));
    }
  }
  return true;
}

void arrive(StationState& st, std::size_t i, int clock) {
  st.arrivalClock = clock;
  st.arrived[i] = true;
  st.departureCalloutArmed = true;
}

// Rules of a station whose stop zone holds the train; false ends the tick.
bool inZoneRules(TrainState& t, StationState& st, const StationContext& c, int i) {
  const StationData& s = c.stations[i];
  const auto k = static_cast<std::size_t>(i);
  const bool oneMan = c.doors.oneMan;
  const bool standing = stopped(t.speed);
  const RouteSounds& rs = c.routeSounds;
  const int arrival = rs.channel(s.arrsound);

  if ((s.trntype == 0 || s.trntype == 2) && (i == 0 || i == c.startStation) && standing && !st.arrived[k]) {
    restart(c.sounds, rs.channel(0));
    arrive(st, k, c.clock);
  }
  if (s.trntype == 0 && oneMan && !t.doorsOpen && standing && !st.oneManDoorDone[k]) {
    st.oneManDoorDone[k] = true;
    callOut(c, 0);
  }
  if (s.trntype == 0 && oneMan && t.doorsOpen && !st.arrived[k] && standing) {
    restart(c.sounds, arrival);
    arrive(st, k, c.clock);
    callOut(c, 1);
    selectNextStop(st, c.stations, i);
    if (st.nextStopIndex >= c.stations.count()) return false;
  }
  if (s.trntype == 0 && !oneMan && !t.doorsOpen && std::fabs(t.speed) < 0.1L) {
    callOut(c, 0);
    Door_operate(t, st, c.lamps, c.doors, c.sounds);
    restart(c.sounds, arrival);
    arrive(st, k, c.clock);
    callOut(c, 1);
    stationSectionArrival(c.sectionSound, i, c.sounds);
  }
  if (s.trntype == 2 && !st.arrived[k] && standing) {
    restart(c.sounds, arrival);
    arrive(st, k, c.clock);
  }
  if (c.videoSwitchState != 1) {
    if (s.deptime - rs.clockLength(s.depsound) < c.clock && !st.departed[k] &&
        c.clock - st.arrivalClock > rs.clockLength(s.arrsound)) {
      if ((s.trntype >= 2 && t.speed < 0.1L) || (s.trntype == 0 && t.doorsOpen)) {
        selectNextStop(st, c.stations, i);
        restart(c.sounds, rs.channel(s.depsound));
        st.departed[k] = true;
        c.secondCrossingLamp = false;
        st.arrivalClock = c.clock;
        callOut(c, 2);
      }
      if (s.trntype == 2) restart(c.sounds, c.doors.departureSignal);
    }
    if (!oneMan && s.deptime < c.clock && t.doorsOpen && st.departed[k] && st.arrived[k] &&
        !st.doorsClosedAtStation[k] && c.clock - st.arrivalClock > rs.clockLength(s.depsound)) {
      Door_operate(t, st, c.lamps, c.doors, c.sounds);
      st.doorsClosedAtStation[k] = true;
      if (arrival >= 0) c.sounds.stop(arrival);
      callOut(c, 5);
      stationSectionDeparture(c.sectionSound, i, c.sounds);
    }
  }
  const bool endStation = i == c.stations.count() - 1 || (c.endStation && i == *c.endStation);
  if (standing && endStation && !st.runEnding && silent(c.sounds, arrival) &&
      ((s.trntype == 0 && t.doorsOpen) || s.trntype >= 2)) {
    c.backClick();
    st.runEnding = true;
  }
  return true;
}

}  // namespace

int RouteSounds::clockLength(int k) const {
  return valid(k) ? ClockUnitsPerSecond * seconds[static_cast<std::size_t>(k)] : 0;
}

const StationData& StationTable::operator[](int i) const {
  if (i < 0 || i >= count()) return empty_;
  return rows_[static_cast<std::size_t>(i)];
}

bool stopped(long double speed) { return Round(speed) == 0; }

void updateSectionMaxSpeed(StationState& st, const StationTable& stations, long double position) {
  for (int i = 0; i < stations.count(); ++i) {
    if (stations[i].position <= position && position < stations[i + 1].position) {
      st.sectionMaxSpeed = stations[i].maxspeed;
      st.display.maxSpeedText = "最高" + std::to_string(st.sectionMaxSpeed);
    }
  }
}

void selectNextStop(StationState& st, const StationTable& stations, int i) {
  int j = i + 1;
  while (j < stations.count() && stations[j].trntype == 1) ++j;
  st.nextStopPosition = stations[j].position;
  st.nextStopIndex = j;
  st.display.prevStationText = stations[i].Name;
  st.display.nextStationText = stations[j].Name;
}

int stopBoardPattern(long double d) {
  if (d >= 27500 && d < 30000) return 5;
  if (d >= 17500 && d < 20000) return 4;
  if (d >= 12500 && d < 15000) return 3;
  if (d >= 7500 && d < 10000) return 2;
  if (d >= 3000 && d < 5000) return 1;
  return 0;
}

bool stationStep(TrainState& t, StationState& st, const StationContext& c) {
  bool nearStation = false;
  const int count = c.stations.count();
  for (int i = 0; i < count; ++i) {
    const StationData& s = c.stations[i];
    const StationData& next = c.stations[i + 1];
    const auto k = static_cast<std::size_t>(i);
    if (t.position > s.position_e && (t.position < next.position_s || i == count - 1)) {
      nextStationText(st, next, c.labels);
      st.display.stopBoardPattern = stopBoardPattern(st.remainingDistance);
      st.inZone[k] = false;
      if (i + 1 < count) st.inZone[k + 1] = false;
      st.display.monitorPattern = i + 1;
    }
    if (s.position_s <= t.position && t.position <= s.position_e && s.trntype != 1) {
      if (!st.inZone[k]) {
        st.display.stopBoardPattern = 10 + i;
        st.zoneDoorprob = s.doorprob;
        st.boardingRandom = c.boarding.draw(c.seedNow);
      }
      st.display.stationText = "ただいま " + s.Name;
      st.zoneStation = i;
      st.inZone[k] = true;
      st.display.monitorPattern = i;
    }
    if (backgroundSound(t, s, c)) nearStation = true;
    if (st.inZone[k] && c.doors.oneMan && st.arrived[k] && t.doorRequest &&
        silent(c.sounds, c.routeSounds.channel(s.arrsound)))
      st.display.carsText = c.labels.InfoLabel[1];
    if (st.inZone[k] && !st.doorsClosedAtStation[k] && !inZoneRules(t, st, c, i)) return false;
  }
  if (!nearStation) {
    for (int i = 0; i < count; ++i) {
      const int channel = c.routeSounds.channel(c.stations[i].bcksound);
      if (c.stations[i].bcksound != 0 && channel >= 0 && c.sounds.isPlaying(channel)) c.sounds.stop(channel);
    }
  }
  return true;
}

void stopBell(const TrainState& t, const StationState& st, OperationState& shared, SoundChannels& sounds,
              int stopChannel) {
  if (stopChannel < 0) return;
  const long double v = t.speed;
  if (v / 5 * v / 3.6L > st.remainingDistance / 100 - 125 && !sounds.isPlaying(stopChannel))
    sounds.restart(stopChannel);
  if (v < 1 && sounds.isPlaying(stopChannel)) {
    sounds.stop(stopChannel);
    sounds.setVolume(stopChannel, 0);
    shared.lamps.stop = false;
  }
  if (sounds.isPlaying(stopChannel)) shared.lamps.stop = blinkPhase(shared.tickCount, shared.lamps.stop);
}

void doorLamps(const TrainState& t, const StationState& st, CabLamps& lamps, const StationTable& stations) {
  int side = 0;
  for (int i = 0; i < stations.count(); ++i)
    if (st.inZone[static_cast<std::size_t>(i)] && stations[i].door == 1) side = 1;
  if (t.doorsOpen) lamps.door = false;
  lamps.others[0] = t.doorRequest && side == 0;
  lamps.others[1] = t.doorRequest && side == 1;
}

}  // namespace cab
