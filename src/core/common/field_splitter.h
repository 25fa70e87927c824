#pragma once

#include <string>
#include <string_view>

namespace cab {

// Field n (counted from 1) of a comma-separated line: the text between the
// (n-1)-th and n-th comma, the last field running to the end of the line.
// No quoting, no trimming. A field beyond the last one reads as "0".
std::string commaField(std::string_view line, int n);

}  // namespace cab
