#pragma once
#include <filesystem>
#include <string>

#include "cab_layout.h"

namespace cab::demo {

// File names (as the data files name them) of the cab pictures.
namespace cab_files {
inline const std::string Common = "cab\\common\\";
inline std::string digits() { return Common + "digi_speed.png"; }
inline std::string monitor() { return Common + "monitor.bmp"; }
inline std::string panel(const CabDesign& d) { return d.folder + "panel.png"; }
inline std::string panel2(const CabDesign& d) { return d.folder + "panel2.png"; }
inline std::string lamp(const CabDesign& d, size_t i) { return d.folder + "lamp" + std::to_string(i) + ".png"; }
inline std::string bar(const CabDesign& d, size_t i) { return d.folder + "bar" + std::to_string(i) + ".png"; }
inline std::string other(const CabDesign& d, size_t i) { return d.folder + "other" + std::to_string(i) + ".png"; }
inline std::string notch(const CabDesign& d, const std::string& which) { return d.folder + "notch_" + which + ".png"; }
inline std::string gear(const CabDesign& d) { return d.folder + "gear.png"; }
inline std::string lever(const CabDesign& d) { return d.folder + "lever.png"; }
}  // namespace cab_files

// The digital speed read-out shared by the cabs and the monitor that the
// route files place on the modern car's desk.
void writeCommonCabPictures(const std::filesystem::path& root);
// A vehicle's desk picture with its dials and dark lamps, the needles (each
// pointing straight up, turning about the picture's centre), the lit lamps,
// the notch indicators, bars and, for a diesel car, the gear indicator and lever.
void writeVehicleCabPictures(const std::filesystem::path& root, const CabDesign& design);

}  // namespace cab::demo
