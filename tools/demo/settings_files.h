#pragma once
#include <filesystem>

namespace cab::demo {

// "vantorel.dat" with the video geometry, "mascon.dat" and "operation.dat".
void writeSettingsFiles(const std::filesystem::path& root, int fps, int videoWidth, int videoHeight);

}  // namespace cab::demo
