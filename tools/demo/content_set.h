#pragma once
#include <filesystem>

namespace cab::demo {

// Writes the whole content set: settings, controller map, help text,
// vehicles, routes, pictures, sounds and videos.
void writeContentSet(const std::filesystem::path& out, bool small);

}  // namespace cab::demo
