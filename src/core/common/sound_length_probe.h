#pragma once

#include <string>
#include <string_view>

namespace cab {

// Length of a WAVE sound in whole seconds, read from a canonical 44-byte
// header: data size (offset 40) / average bytes per second (offset 28),
// truncated. A file shorter than the header or without a byte rate yields
// 0 seconds and an error text.
struct SoundLength {
  int seconds = 0;
  std::string error;  // empty when the probe succeeded
};

SoundLength probeSoundLength(std::string_view header);

}  // namespace cab
