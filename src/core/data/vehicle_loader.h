#pragma once

#include <string>
#include <string_view>

#include "core/data/vehicle_spec.h"

namespace cab {

class DataDirectory;
class PictureLoader;
class SpriteModel;

// What reading a vehicle file needs besides its bytes: where the pictures it
// names are found and decoded, and the sprite model that receives the cab's
// pattern pictures.
struct VehicleLoadContext {
  const DataDirectory& data;
  std::string vehicleDirectory;  // joined before every file name of the vehicle file
  const PictureLoader& pictures;
  SpriteModel& sprites;
};

// Reads a vehicle file's bytes. Errors are DataErrors: "車両ファイルに誤りがあります"
// followed by the section label being read, or one of the power-type messages.
// Once the file is read, the handle steps (at most as many as the handle-sound
// tables hold) and the values the running gear divides by are checked; a
// refused value adds a second line naming the key and what it needs.
VehicleSpec loadVehicle(std::string_view bytes, const VehicleLoadContext& context);

// Reads vehicleDirectory + fileName from the data directory; a file that
// cannot be opened adds a line naming its full path.
VehicleSpec loadVehicleFile(const DataDirectory& data, const std::string& vehicleDirectory, const std::string& fileName,
                            const PictureLoader& pictures, SpriteModel& sprites);

// After all data files are read: the automatic air brake has four handle positions.
void forceAutomaticBrakeSteps(VehicleSpec& vehicle);

// A numbered-step brake needs at least three positions; otherwise a HaltError.
void checkBrakeSteps(const VehicleSpec& vehicle);

}  // namespace cab
