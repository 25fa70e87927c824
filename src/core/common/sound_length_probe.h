#pragma once

#include <string>
#include <string_view>

namespace cab {

class DataDirectory;

// Length of a WAVE sound in whole seconds, read from a canonical 44-byte
// header: data size (offset 40) / average bytes per second (offset 28),
// truncated. A file that cannot be read, is shorter than the header or gives
// no byte rate yields 0 seconds and an error text for the caller to show.
struct SoundLength {
  int seconds = 0;
  std::string error;  // empty when the probe succeeded
};

SoundLength probeSoundLength(std::string_view header);
SoundLength probeSoundLength(const DataDirectory& data, std::string_view dataPath);

}  // namespace cab
