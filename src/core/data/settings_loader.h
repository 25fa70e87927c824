#pragma once

#include <string_view>

#include "core/data/ui_strings.h"

namespace cab {

class DataDirectory;

constexpr std::string_view SettingsFileName = "vantorel.dat";

// Reads the settings file's bytes. Any error is DataError
// "stringファイルに誤りがあります". A video frame rate of 0 or less, which the
// drive divides by, and a video width or height outside 16 … 8192, which the
// video surface cannot take, are refused with that text and a second one
// naming the value.
UiStrings loadSettings(std::string_view bytes);

// Reads "vantorel.dat" of the data directory; a file that cannot be opened is
// the settings error with a line naming its full path.
UiStrings loadSettingsFile(const DataDirectory& data);

}  // namespace cab
