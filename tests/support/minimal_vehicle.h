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

// A small valid route of two stations over one recorded stretch.
inline constexpr const char* MinimalRouteFile = "line_Local_East1.dat";
inline constexpr const char* MinimalRouteText =
    "[LineName]\nTest "
    "line\n[Station]\nA,0,30,150,0,0,0,0,60,0,0,0,0,0,0,0,0\nB,0,270,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n#\n"
    "[SpeedUnit]\n0,300,36,36\n#\n";

inline void writeMinimalRoute(const std::filesystem::path& folder) {
  std::ofstream(folder / MinimalRouteFile) << MinimalRouteText;
}

}  // namespace cab::testing
