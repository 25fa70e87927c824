#pragma once

#include <string>
#include <vector>

#include "core/common/data_directory.h"
#include "core/data/data_error.h"
#include "core/data/vehicle_loader.h"
#include "core/presentation/sprite_model.h"
#include "tests/support/minimal_vehicle.h"
#include "tests/vehicle_data/fake_pictures.h"

namespace cab::testing {

// Reads vehicle files given as text, with the fixture folder as the vehicle
// directory (its pictures are in "cab\") and fake pictures.
struct VehicleText {
  FakePictureLoader pictures;
  SpriteModel sprites;
  DataDirectory data{CABVIEW_FIXTURES};

  VehicleSpec load(const std::string& text) { return loadVehicle(text, {data, "vehicle\\", pictures, sprites}); }

  // The messages of the halt that reading `text` ends in; none when it loads.
  std::vector<std::string> haltsOf(const std::string& text) {
    try {
      load(text);
    } catch (const HaltError& e) {
      return e.messages();
    }
    return {};
  }

  // The first message of the halt that reading `text` ends in, or "" when it loads.
  std::string haltOf(const std::string& text) {
    const auto messages = haltsOf(text);
    return messages.empty() ? "" : messages.front();
  }
};

inline const std::string VehicleMessage = "車両ファイルに誤りがあります";

// The minimal vehicle with more lines after it (later keys replace its values).
inline std::string minimalWith(const std::string& more) { return std::string(MinimalVehicleText) + more; }

}  // namespace cab::testing
