#pragma once

#include "core/shell/display_options.h"

namespace cab {

class SettingsStore;

inline constexpr const char* OptionsKeyPath = "\\Software\\Vantorel\\Halvet";

// Reads the five options. When any value is missing or not an integer all
// five take their defaults (0, 1, 0, 0, 1).
DisplayOptions readDisplayOptions(const SettingsStore& store);

// Writes the five options; a failing write is ignored.
void writeDisplayOptions(SettingsStore& store, const DisplayOptions& options);

}  // namespace cab
