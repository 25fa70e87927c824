#pragma once

namespace cab {

// The keyboard's own toggles.
struct KeyboardState {
  bool keySwap = false;  // Scroll Lock exchanges "2" and "8"
};

}  // namespace cab
