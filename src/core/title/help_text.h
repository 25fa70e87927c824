#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/common/data_directory.h"

namespace cab {

inline constexpr const char* HelpFile = "operation.dat";

// The help window's texts: its caption ("Help" until the help file names
// one) and the lines below it.
struct HelpText {
  std::string caption = "Help";
  std::vector<std::string> lines;
};

// The help file read: line 1 is the caption, every further line one line of
// the text. A file that cannot be read leaves the window's initial caption
// and an empty text, with the error to report once.
struct HelpTextResult {
  HelpText text;
  std::optional<std::string> error;
};
HelpTextResult readHelpText(const DataDirectory& data);

}  // namespace cab
