#pragma once
#include <filesystem>
#include <string>

#include "cab_layout.h"

namespace cab::demo {

// File names (as the vehicle files name them) of the pictures shared by
// every cab and of one vehicle's own.
namespace cab_files {
inline const std::string Common = "cab\\common\\";
inline std::string needleLarge() { return Common + "needle_large.png"; }
inline std::string needleSmall() { return Common + "needle_small.png"; }
inline std::string lamp(int i) { return Common + "lamp" + std::to_string(i) + ".bmp"; }
inline std::string bar(int i) { return Common + "bar" + std::to_string(i) + ".bmp"; }
inline std::string digits() { return Common + "digi_speed.bmp"; }
inline std::string other(int i) { return Common + "other" + std::to_string(i) + ".bmp"; }
inline std::string monitor() { return Common + "monitor.bmp"; }
constexpr int OtherCount = 3;
}  // namespace cab_files

void writeCommonCabPictures(const std::filesystem::path& root);
// The vehicle's desk picture, its notch strips, cab-signal lamp strip,
// second panel and, for a diesel car, the gear indicator and gear lever.
void writeVehicleCabPictures(const std::filesystem::path& root, const PanelLook& look);

}  // namespace cab::demo
