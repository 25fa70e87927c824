#pragma once

#include <optional>
#include <string_view>

namespace cab {

// Windows virtual-key codes, the key numbers the keyboard handlers take.
namespace vk {
inline constexpr int Back = 0x08, Tab = 0x09, Enter = 0x0D, Shift = 0x10, Ctrl = 0x11, Alt = 0x12, Pause = 0x13,
                     Escape = 0x1B, Space = 0x20, PageUp = 0x21, PageDown = 0x22, End = 0x23, Home = 0x24, Left = 0x25,
                     Up = 0x26, Right = 0x27, Down = 0x28, Insert = 0x2D, Delete = 0x2E, Numpad0 = 0x60,
                     Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Decimal = 0x6E, Divide = 0x6F, F1 = 0x70,
                     ScrollLock = 0x91;
}  // namespace vk

// The key of a script name: F1…F12, Up, Down, Left, Right, Home, End, PageUp,
// PageDown, Insert, Delete, Space, Enter, Escape, Shift, Ctrl, ScrollLock,
// Num0…Num9, and single letters or digits.
std::optional<int> keyCodeForName(std::string_view name);

}  // namespace cab
