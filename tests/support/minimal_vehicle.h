#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace cab::testing {

// The built-in vehicle's file name, which drives use unless told otherwise.
inline constexpr const char* MinimalVehicleFile = "train_E231.dat";

// A small valid electric vehicle without pictures or sounds.
inline constexpr const char* MinimalVehicleText =
    "[BrakeType]\n1\n[Brake]\n9\n[Power]\n4\n[MAXPress]\n440\n0\n[EBPress]\n480\n0\n[SAPPress]\n440\n0\n"
    "[HighAirPress]\n880\n[LowAirPress]\n780\n[Engine_Type]\n1\n[Power_Type]\n1\n[Tons]\n130\n0\n[Mt]\n60\n0\n"
    "[Tt]\n70\n0\n[Cars]\n4\n[Length]\n20\n";

inline void writeMinimalVehicle(const std::filesystem::path& folder, const std::string& name = MinimalVehicleFile) {
  std::ofstream(folder / name) << MinimalVehicleText;
}

}  // namespace cab::testing
