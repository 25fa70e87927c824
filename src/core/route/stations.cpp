#include "core/route/stations.h"

#include <cmath>

#include "core/common/rounding.h"
#include "core/data/ui_strings.h"
#include "core/route/boarding_random.h"
#include "core/route/operation_state.h"
#include "core/route/simulation_tick.h"
#include "core/route/timetable_clock.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/doors.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr long double BackgroundRange = 2000;  // cm around the stopping point

void restart(SoundChannels& sounds, int channel) {
  if (channel >= 0) sounds.restart(channel);
}

bool silent(const SoundChannels& sounds, int channel) { return channel < 0 || !sounds.isPlaying(channel); }

// The next-station text names the following station and what the train
// does there.
void nextStationText(OperationState& o, const StationData& next, const UiStrings& labels) {
  std::string& text = o.display.stationText;
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

void arrive(OperationState& o, std::size_t i) {
  o.arrivalClock = o.clock;
  o.arrived[i] = true;
  o.departureCalloutArmed = true;
}

// Rules of a station whose stop zone holds the train; false ends the tick.
bool inZoneRules(TrainState& t, OperationState& o, const StationContext& c, int i) {
  const StationData& s = c.stations[i];
  const auto k = static_cast<std::size_t>(i);
  const bool oneMan = c.doors.oneMan;
  const bool standing = stopped(t.speed);
  const RouteSounds& rs = c.routeSounds;
  const int arrival = rs.channel(s.arrsound);

  if ((s.trntype == 0 || s.trntype == 2) && (i == 0 || i == c.startStation) && standing && !o.arrived[k]) {
    restart(c.sounds, rs.channel(0));
    arrive(o, k);
  }
  if (s.trntype == 0 && oneMan && !t.doorsOpen && standing && !o.oneManDoorDone[k]) {
    o.oneManDoorDone[k] = true;
    c.stationCallout(0);
  }
  if (s.trntype == 0 && oneMan && t.doorsOpen && !o.arrived[k] && standing) {
    restart(c.sounds, arrival);
    arrive(o, k);
    c.stationCallout(1);
    selectNextStop(o, c.stations, i);
    if (o.nextStopIndex >= c.stations.count()) return false;
  }
  if (s.trntype == 0 && !oneMan && !t.doorsOpen && std::fabs(t.speed) < 0.1L) {
    c.stationCallout(0);
    Door_operate(t, o, c.doors, c.sounds);
    restart(c.sounds, arrival);
    arrive(o, k);
    c.stationCallout(1);
  }
  if (s.trntype == 2 && !o.arrived[k] && standing) {
    restart(c.sounds, arrival);
    arrive(o, k);
  }
  if (c.videoSwitchState != 1) {
    if (s.deptime - rs.clockLength(s.depsound) < o.clock && !o.departed[k] &&
        o.clock - o.arrivalClock > rs.clockLength(s.arrsound)) {
      if ((s.trntype >= 2 && t.speed < 0.1L) || (s.trntype == 0 && t.doorsOpen)) {
        selectNextStop(o, c.stations, i);
        restart(c.sounds, rs.channel(s.depsound));
        o.departed[k] = true;
        o.arrivalClock = o.clock;
        c.stationCallout(2);
      }
      if (s.trntype == 2) restart(c.sounds, c.doors.departureSignal);
    }
    if (!oneMan && s.deptime < o.clock && t.doorsOpen && o.departed[k] && o.arrived[k] && !o.doorsClosedAtStation[k] &&
        o.clock - o.arrivalClock > rs.clockLength(s.depsound)) {
      Door_operate(t, o, c.doors, c.sounds);
      o.doorsClosedAtStation[k] = true;
      if (arrival >= 0) c.sounds.stop(arrival);
      c.stationCallout(5);
    }
  }
  const bool endStation = i == c.stations.count() - 1 || i == c.endStation;
  if (standing && endStation && !o.runEnding && silent(c.sounds, arrival) &&
      ((s.trntype == 0 && t.doorsOpen) || s.trntype >= 2)) {
    c.backClick();
    o.runEnding = true;
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

void updateSectionMaxSpeed(OperationState& o, const StationTable& stations, long double position) {
  for (int i = 0; i < stations.count(); ++i) {
    if (stations[i].position <= position && position < stations[i + 1].position) {
      o.sectionMaxSpeed = stations[i].maxspeed;
      o.display.maxSpeedText = "最高" + std::to_string(o.sectionMaxSpeed);
    }
  }
}

void selectNextStop(OperationState& o, const StationTable& stations, int i) {
  int j = i + 1;
  while (j < stations.count() && stations[j].trntype == 1) ++j;
  o.nextStopPosition = stations[j].position;
  o.nextStopIndex = j;
  o.display.prevStationText = stations[i].Name;
  o.display.nextStationText = stations[j].Name;
}

int stopBoardPattern(long double d) {
  if (d >= 27500 && d < 30000) return 5;
  if (d >= 17500 && d < 20000) return 4;
  if (d >= 12500 && d < 15000) return 3;
  if (d >= 7500 && d < 10000) return 2;
  if (d >= 3000 && d < 5000) return 1;
  return 0;
}

bool stationStep(TrainState& t, OperationState& o, const StationContext& c) {
  bool nearStation = false;
  const int count = c.stations.count();
  for (int i = 0; i < count; ++i) {
    const StationData& s = c.stations[i];
    const StationData& next = c.stations[i + 1];
    const auto k = static_cast<std::size_t>(i);
    if (t.position > s.position_e && (t.position < next.position_s || i == count - 1)) {
      nextStationText(o, next, c.labels);
      o.display.stopBoardPattern = stopBoardPattern(o.remainingDistance);
      o.inZone[k] = false;
      if (i + 1 < count) o.inZone[k + 1] = false;
      o.display.monitorPattern = i + 1;
    }
    if (s.position_s <= t.position && t.position <= s.position_e && s.trntype != 1) {
      if (!o.inZone[k]) {
        o.display.stopBoardPattern = 10 + i;
        o.zoneDoorprob = s.doorprob;
        o.boardingRandom = c.boarding.draw(c.seedNow);
      }
      o.display.stationText = "ただいま " + s.Name;
      o.zoneStation = i;
      o.inZone[k] = true;
      o.display.monitorPattern = i;
    }
    if (backgroundSound(t, s, c)) nearStation = true;
    if (o.inZone[k] && c.doors.oneMan && o.arrived[k] && t.doorRequest &&
        silent(c.sounds, c.routeSounds.channel(s.arrsound)))
      o.display.carsText = c.labels.InfoLabel[1];
    if (o.inZone[k] && !o.doorsClosedAtStation[k] && !inZoneRules(t, o, c, i)) return false;
  }
  if (!nearStation) {
    for (int i = 0; i < count; ++i) {
      const int channel = c.routeSounds.channel(c.stations[i].bcksound);
      if (c.stations[i].bcksound != 0 && channel >= 0 && c.sounds.isPlaying(channel)) c.sounds.stop(channel);
    }
  }
  return true;
}

void stopBell(const TrainState& t, OperationState& o, SoundChannels& sounds, int stopChannel) {
  if (stopChannel < 0) return;
  const long double v = t.speed;
  if (v / 5 * v / 3.6L > o.remainingDistance / 100 - 125 && !sounds.isPlaying(stopChannel)) sounds.restart(stopChannel);
  if (v < 1 && sounds.isPlaying(stopChannel)) {
    sounds.stop(stopChannel);
    sounds.setVolume(stopChannel, 0);
    o.lamps.stop = false;
  }
  if (sounds.isPlaying(stopChannel)) o.lamps.stop = blinkPhase(o.tickCount, o.lamps.stop);
}

void doorLamps(const TrainState& t, OperationState& o, const StationTable& stations) {
  int side = 0;
  for (int i = 0; i < stations.count(); ++i)
    if (o.inZone[static_cast<std::size_t>(i)] && stations[i].door == 1) side = 1;
  if (t.doorsOpen) o.lamps.door = false;
  o.lamps.others[0] = t.doorRequest && side == 0;
  o.lamps.others[1] = t.doorRequest && side == 1;
}

}  // namespace cab
