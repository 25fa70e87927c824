#include "core/shell/saved_state.h"

#include <algorithm>

#include "core/common/field_splitter.h"
#include "core/common/rounding.h"
#include "core/data/record_file_reader.h"
#include "core/data/route_positions.h"
#include "core/platform/settings_store.h"
#include "core/route/stations/station_jump.h"
#include "core/shell/display_options_store.h"
#include "core/shell/drive.h"
#include "core/shell/drive_protection.h"
#include "core/shell/drive_signals.h"
#include "core/shell/drive_speed_limits.h"
#include "core/shell/drive_track_events.h"
#include "core/vehicle/masconupdate.h"

namespace cab {

namespace {

constexpr int RecordFields = 7;

}  // namespace

std::string savedStateRecord(const SavedState& s) {
  return s.routeFile + "," + std::to_string(s.zoneStation) + "," + std::to_string(Round(s.speed)) + "," +
         std::to_string(s.frame) + "," + std::to_string(s.clock) + "," + std::to_string(Round(s.position)) + "," +
         std::to_string(s.preTrainFrame);
}

std::string savedStateRoute(const std::string& record) { return commaField(record, 1); }

std::optional<SavedState> parseSavedState(const std::string& record) {
  // Fields after the seventh are not read.
  if (std::count(record.begin(), record.end(), ',') < RecordFields - 1) return std::nullopt;
  try {
    SavedState s;
    s.routeFile = commaField(record, 1);
    s.zoneStation = RecordFileReader::toInt(commaField(record, 2));
    s.speed = RecordFileReader::toReal(commaField(record, 3));
    s.frame = RecordFileReader::toInt(commaField(record, 4));
    s.clock = RecordFileReader::toInt(commaField(record, 5));
    s.position = RecordFileReader::toReal(commaField(record, 6));
    s.preTrainFrame = RecordFileReader::toInt(commaField(record, 7));
    return s;
  } catch (const FormatError&) {
    return std::nullopt;
  }
}

SavedState currentSavedState(const Drive& d) {
  return {d.request().routeFile, d.stationState.zoneStation, d.train.speed, d.train.frame, d.operation.clock,
          d.train.position,      d.signalState.preTrainFrame};
}

std::string savedStateDescription(const std::string& lineName2, std::span<const StationData> stations,
                                  long double position) {
  std::string description;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const bool last = i + 1 == stations.size();
    if (position < stations[i].position || (!last && position >= stations[i + 1].position)) continue;
    description = lineName2 + "（" + stations[i].Name + "～" + (last ? "" : stations[i + 1].Name) + "）";
  }
  return description;
}

std::string saveRecordName(int slot) { return "Save" + std::to_string(slot); }
std::string saveTitleName(int slot) { return saveRecordName(slot) + "Title"; }

SaveMenu readSaveMenu(const SettingsStore& store) {
  SaveMenu menu;
  for (int k = 1; k <= SaveSlotCount; ++k) {
    const std::string title = store.read(OptionsKeyPath, saveTitleName(k)).value_or("");
    const bool empty = title.empty();
    const auto i = static_cast<std::size_t>(k - 1);
    menu.load[i] = {empty ? "No Data" : title, !empty};
    menu.save[i] = {empty ? "No Data" : title, true};
  }
  return menu;
}

namespace {

// Stop stations (trntype 0) below `station`.
int stopsBefore(std::span<const StationData> stations, int station) {
  const auto end = std::min<std::size_t>(static_cast<std::size_t>(std::max(station, 0)), stations.size());
  return static_cast<int>(std::count_if(stations.begin(), stations.begin() + static_cast<std::ptrdiff_t>(end),
                                        [](const StationData& s) { return s.trntype == 0; }));
}

// The next stop after the station of the stop zone: passing stations
// (trntype 1) are skipped; without one the next stop stays as it was.
void findNextStop(Drive& d, int zoneStation) {
  const auto stations = d.stations();
  for (std::size_t i = static_cast<std::size_t>(std::max(zoneStation + 1, 0)); i < stations.size(); ++i) {
    if (stations[i].trntype == 1) continue;
    d.stationState.nextStopPosition = stations[i].position;
    d.stationState.nextStopIndex = static_cast<int>(i);
    break;
  }
  d.stationState.remainingDistance = d.stationState.nextStopPosition - d.train.position;
  d.stationState.display.stopBoardPattern = 0;
}

}  // namespace

void restoreSavedState(Drive& d, const SavedState& s) {
  const int stops = stopsBefore(d.stations(), s.zoneStation);
  d.beginRelocation();
  d.train.speed = s.speed;

  d.train.frame = s.frame;
  d.video.shownFrame = s.frame - 1;
  d.operation.clock = s.clock;
  d.stationState.zoneStation = s.zoneStation;
  // The signals' per-section values as after a jump; the preceding train is the saved one.
  signalsAfterJump(d);
  d.signalState.preTrainFrame = s.preTrainFrame;
  startSpeedLimits(d);

  d.train.powerHandle = d.train.powerNotch = 0;
  d.train.brakeHandle = d.train.brakeCommand = d.train.sapCommand = d.train.speed > 0 ? 0 : 1 - d.vehicle.Brake;
  d.train.position = s.position;
  findNextStop(d, s.zoneStation);
  jumpProtection(d);

  d.callouts.announceIndex = 2 * stops + 1;
  d.train.stepDistance = 0;
  const auto film = filmSpeedAt(d.route, d.train.frame);
  d.train.filmSpeed = film ? film->filmSpeed : d.train.filmSpeed;
  d.train.filmSpeedRow = film ? film->row : -1;
  d.finishRelocation();
}

}  // namespace cab
