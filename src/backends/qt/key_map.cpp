#include "backends/qt/key_map.h"

#include <Qt>
#include <utility>

#include "core/input/key_codes.h"

namespace cab::qt {

std::optional<int> virtualKeyFor(int qtKey, bool keypad) {
  if (keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::Numpad0 + (qtKey - Qt::Key_0);
  if (keypad) {
    static constexpr std::pair<int, int> pad[] = {{Qt::Key_Asterisk, vk::Multiply}, {Qt::Key_Plus, vk::Add},
                                                  {Qt::Key_Minus, vk::Subtract},    {Qt::Key_Period, vk::Decimal},
                                                  {Qt::Key_Slash, vk::Divide},      {Qt::Key_Enter, vk::Enter}};
    for (const auto& [q, v] : pad)
      if (q == qtKey) return v;
  }
  if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return vk::F1 + (qtKey - Qt::Key_F1);
  static constexpr std::pair<int, int> named[] = {
      {Qt::Key_Backspace, vk::Back}, {Qt::Key_Tab, vk::Tab},       {Qt::Key_Return, vk::Enter},
      {Qt::Key_Enter, vk::Enter},    {Qt::Key_Shift, vk::Shift},   {Qt::Key_Control, vk::Ctrl},
      {Qt::Key_Alt, vk::Alt},        {Qt::Key_Pause, vk::Pause},   {Qt::Key_Escape, vk::Escape},
      {Qt::Key_Space, vk::Space},    {Qt::Key_PageUp, vk::PageUp}, {Qt::Key_PageDown, vk::PageDown},
      {Qt::Key_End, vk::End},        {Qt::Key_Home, vk::Home},     {Qt::Key_Left, vk::Left},
      {Qt::Key_Up, vk::Up},          {Qt::Key_Right, vk::Right},   {Qt::Key_Down, vk::Down},
      {Qt::Key_Insert, vk::Insert},  {Qt::Key_Delete, vk::Delete}, {Qt::Key_ScrollLock, vk::ScrollLock}};
  for (const auto& [q, v] : named)
    if (q == qtKey) return v;
  return std::nullopt;
}

}  // namespace cab::qt
