#include "core/presentation/info_text/commentary.h"

#include <utility>

namespace cab {

bool updateCommentary(UiText& ui, std::string result) {
  ui.adviceResultPrev = std::move(ui.adviceResult);
  ui.adviceResult = std::move(result);
  if (ui.adviceResult == ui.adviceResultPrev) return false;
  // A result is empty or "0" followed by its text.
  ui.commentary = ui.adviceResult.empty() ? std::string() : ui.adviceResult.substr(1);
  return true;
}

}  // namespace cab
