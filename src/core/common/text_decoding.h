#pragma once

#include <string>
#include <string_view>

namespace cab {

// Decodes the text of a data file to UTF-8. A file that is valid UTF-8 as a
// whole is taken as UTF-8 (and only then a leading BOM is dropped); anything
// else is CP932. Bytes that are not valid CP932 become U+FFFD.
std::string decodeDataText(std::string_view bytes);

// CP932 bytes to UTF-8, invalid sequences as U+FFFD.
std::string decodeCp932(std::string_view bytes);

// UTF-8 to CP932 bytes (for writing data files in tests and the demo content).
// Characters CP932 cannot hold become '?'.
std::string encodeCp932(std::string_view utf8);

bool isValidUtf8(std::string_view bytes);

}  // namespace cab
