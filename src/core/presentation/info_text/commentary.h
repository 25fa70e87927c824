#pragma once

#include <string>

#include "core/presentation/info_text/ui_text.h"

namespace cab {

// Takes this tick's advice result. The commentary follows only a result that
// differs from the last one: cleared for no advice, the advice text
// otherwise. Returns true when the result changed and the video picture must
// be drawn again to show the new commentary.
bool updateCommentary(UiText& ui, std::string result);

}  // namespace cab
