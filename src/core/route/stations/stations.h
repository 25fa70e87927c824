#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/data/route_records.h"
#include "core/route/running_sounds/station_section_sound.h"

namespace cab {

class BoardingRandom;
class SoundChannels;
struct CabLamps;
struct DoorSpec;
struct OperationState;
struct StationState;
struct TrainState;
struct UiStrings;

// The route's sounds: route sound k plays on channel firstChannel + k and
// lasts seconds[k] whole seconds.
struct RouteSounds {
  int firstChannel = 0;
  std::vector<int> seconds;

  int channel(int k) const { return valid(k) ? firstChannel + k : -1; }
  int clockLength(int k) const;  // in clock units, 0 for an unknown sound
  bool valid(int k) const { return k >= 0 && k < static_cast<int>(seconds.size()); }
};

// The route's station rows (positions in cm from the route start) with the
// row after the last station, which reads as all zeros with an empty name.
class StationTable {
 public:
  explicit StationTable(std::span<const StationData> rows) : rows_(rows) {}
  int count() const { return static_cast<int>(rows_.size()); }
  const StationData& operator[](int i) const;

 private:
  std::span<const StationData> rows_;
  StationData empty_;
};

// Everything the station step works with besides the train and the stations' state.
struct StationContext {
  const StationTable& stations;
  int clock = 0;             // the route clock
  CabLamps& lamps;           // the door lamp follows the doors
  bool& secondCrossingLamp;  // the level-crossing indicator's second lamp, put out by a departure
  const RouteSounds& routeSounds;
  const UiStrings& labels;
  const DoorSpec& doors;
  SoundChannels& sounds;
  BoardingRandom& boarding;
  std::uint64_t seedNow = 0;  // seed for a boarding draw made this tick
  int startStation = 0;
  std::optional<int> endStation;  // the chosen last station; the route's last ends the run in any case
  int videoSwitchState = 0;
  std::optional<StationSectionSound> sectionSound;  // the "[Sound2]" loop between stations
  std::function<void(int)> stationCallout;  // station_kanko; none until call-outs are wired
  std::function<void()> backClick;
};

// The train is stopped when its speed rounds to 0 (ties to even).
bool stopped(long double speed);

// The station section holding the train: the line speed and its text.
// Outside every section the previous value stays.
void updateSectionMaxSpeed(StationState& st, const StationTable& stations, long double position);

// The next stop after station i; without one the row after the last.
void selectNextStop(StationState& st, const StationTable& stations, int i);

// The stop-position board before the next stop, by the distance left (cm).
int stopBoardPattern(long double remaining);

// The station step of the tick: approach boards, stop zones, arrival,
// doors, departure and the end of the run. Returns false when the rest of
// the tick is skipped (a one-man arrival at the last stop).
bool stationStep(TrainState& t, StationState& st, const StationContext& c);

// The stop bell sounds while the train could not stop before the station at
// its speed; it is silenced below 1 km/h. The stop lamp blinks while it rings.
void stopBell(const TrainState& t, const StationState& st, OperationState& shared, SoundChannels& sounds,
              int stopChannel);

// The door-closed lamp and the door-side lamps.
void doorLamps(const TrainState& t, const StationState& st, CabLamps& lamps, const StationTable& stations);

}  // namespace cab
