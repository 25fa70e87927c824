#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace cab::demo {

// A WAVE file of 16-bit mono PCM at 22050 Hz with a canonical 44-byte
// header whose byte rate and data size give the true length.
std::string waveBytes(const std::vector<float>& samples);

// The name of the rail noise of speed band `band` (10 × band km/h), 0 … 12.
std::string railNoiseSound(int band);

// Writes every sound of the set below root: the vehicle sounds in sound\,
// the route's environment sounds, call-outs and announcements.
// Returns the data-file paths ("sound\...") of what it wrote.
std::vector<std::string> writeSounds(const std::filesystem::path& root);

}  // namespace cab::demo
