#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace cab::demo {

struct VehicleEntry {
  std::string file;  // "train_E231.dat"
  std::string title;
};

// Writes the three vehicle files with their cab pictures: the modern EMU
// "train_E231.dat", a resistor-controlled car with an automatic air brake
// and a diesel railcar with a manual gearbox.
std::vector<VehicleEntry> writeVehicles(const std::filesystem::path& root);

}  // namespace cab::demo
