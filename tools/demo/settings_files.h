#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace cab::demo {

// "vantorel.dat" with the video geometry, "mascon.dat" and "operation.dat".
// The keys and what they do, one line each: the help text below its caption.
const std::vector<std::string>& controlLines();

void writeSettingsFiles(const std::filesystem::path& root, int fps, int videoWidth, int videoHeight);

}  // namespace cab::demo
