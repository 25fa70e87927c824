#pragma once

#include <string_view>

#include "core/data/ui_strings.h"

namespace cab {

class DataDirectory;

constexpr std::string_view SettingsFileName = "vantorel.dat";

// Reads the settings file's bytes. Any error is DataError
// "stringファイルに誤りがあります". A video frame rate of 0 or less, which the
// drive divides by, is refused with that text and a second one naming it.
UiStrings loadSettings(std::string_view bytes);

// Reads "vantorel.dat" of the data directory.
UiStrings loadSettingsFile(const DataDirectory& data);

}  // namespace cab
