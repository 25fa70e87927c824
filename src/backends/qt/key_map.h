#pragma once

#include <optional>

namespace cab::qt {

// The Windows virtual-key code of a Qt key, or nothing for keys the drive
// does not know.
std::optional<int> virtualKeyFor(int qtKey, bool keypad);

}  // namespace cab::qt
