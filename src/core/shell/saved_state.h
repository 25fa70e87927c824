#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

namespace cab {

class Drive;
class SettingsStore;
struct StationData;

inline constexpr int SaveSlotCount = 3;

// A saved driving state: the route file it was made on and where the drive
// stood. Stored as seven comma-joined fields, the numbers in decimal.
struct SavedState {
  std::string routeFile;
  int zoneStation = 0;
  long double speed = 0;  // km/h
  int frame = 0;
  int clock = 0;             // 1/30 s
  long double position = 0;  // cm
  int preTrainFrame = 0;
};

// The record of a state: speed and position are stored rounded (ties to even).
std::string savedStateRecord(const SavedState& s);

// A record read back. None when a field is missing or a number field does not
// read as a number (fields 3 and 6 as reals, the others as integers).
std::optional<SavedState> parseSavedState(const std::string& record);

// The field a record's route file is read from, for the check that comes
// before any other.
std::string savedStateRoute(const std::string& record);

// The state of the drive now.
SavedState currentSavedState(const Drive& d);

// The slot's description: the line's name and the section the train is in,
// "東湊線（霞野～潮見坂）"; beyond the last station the second name is empty;
// before the first station the description is empty.
std::string savedStateDescription(const std::string& lineName2, std::span<const StationData> stations,
                                  long double position);

// The "Save" menu's items: Load1 … Load3 and Save1 … Save3 take the slots'
// descriptions; an empty one reads "No Data", and that Load item is disabled.
struct SaveMenuItem {
  std::string caption;
  bool enabled = true;
};
struct SaveMenu {
  std::array<SaveMenuItem, SaveSlotCount> load;
  std::array<SaveMenuItem, SaveSlotCount> save;
};
SaveMenu readSaveMenu(const SettingsStore& store);

// The store's value names of slot k (1 … 3): "Save"k and "Save"k"Title".
std::string saveRecordName(int slot);
std::string saveTitleName(int slot);

// Puts the drive where the saved state stood: the station cycle, the
// per-section values of the signals, protection, speed limits and track
// events, the handles (released when moving, else the strongest service
// brake), the next stop, the video and the controller.
void restoreSavedState(Drive& d, const SavedState& s);

}  // namespace cab
