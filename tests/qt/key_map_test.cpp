#include "backends/qt/key_map.h"

#include <gtest/gtest.h>

#include <Qt>

namespace cab::qt {
namespace {

TEST(KeyMap, QtKeysBecomeVirtualKeys) {
  struct Case {
    int qtKey;
    bool keypad;
    std::optional<int> code;
  };
  const Case cases[] = {
      {Qt::Key_ScrollLock, false, 0x91},  // swaps the "2" and "8" keys
      {Qt::Key_A, false, 'A'},
      {Qt::Key_8, false, '8'},
      {Qt::Key_5, true, 0x65},  // keypad 5
      {Qt::Key_Enter, true, 0x0D},
      {Qt::Key_F12, false, 0x7B},
      {Qt::Key_Backspace, false, 0x08},
      {Qt::Key_PageDown, false, 0x22},
      {Qt::Key_Menu, false, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(virtualKeyFor(c.qtKey, c.keypad), c.code) << std::hex << c.qtKey;
}

}  // namespace
}  // namespace cab::qt
