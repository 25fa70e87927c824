#include "core/title/help_text.h"

#include <sstream>

#include "core/common/text_decoding.h"

namespace cab {

HelpTextResult readHelpText(const DataDirectory& data) {
  HelpTextResult result;
  const auto bytes = data.readBytes(HelpFile);
  if (!bytes) {
    result.error = std::string(HelpFile) + "を読み込めません";
    return result;
  }
  std::istringstream in(decodeDataText(*bytes));
  bool first = true;
  result.text.caption.clear();
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first)
      result.text.caption = line;
    else
      result.text.lines.push_back(line);
    first = false;
  }
  return result;
}

}  // namespace cab
