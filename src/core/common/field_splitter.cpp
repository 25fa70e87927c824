#include "core/common/field_splitter.h"

namespace cab {

std::string commaField(std::string_view rest, int n) {
  // A comma byte never occurs inside a multi-byte UTF-8 character, so the
  // byte search keeps characters whole.
  std::string_view field;
  while (n > 0) {
    std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) {
      if (n == 1) return std::string(rest);
      return "0";
    }
    field = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
    --n;
  }
  return std::string(field);
}

}  // namespace cab
