#include "core/input/key_codes.h"

#include <cctype>
#include <utility>

namespace cab {

std::optional<int> keyCodeForName(std::string_view name) {
  static constexpr std::pair<std::string_view, int> named[] = {
      {"Up", vk::Up},         {"Down", vk::Down},     {"Left", vk::Left},     {"Right", vk::Right},
      {"Home", vk::Home},     {"End", vk::End},       {"PageUp", vk::PageUp}, {"PageDown", vk::PageDown},
      {"Insert", vk::Insert}, {"Delete", vk::Delete}, {"Space", vk::Space},   {"Enter", vk::Enter},
      {"Escape", vk::Escape}, {"Shift", vk::Shift},   {"Ctrl", vk::Ctrl},     {"ScrollLock", vk::ScrollLock}};
  for (const auto& [n, code] : named)
    if (n == name) return code;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return std::toupper(static_cast<unsigned char>(name[0]));
  auto number = [](std::string_view digits) -> std::optional<int> {
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    int n = 0;
    for (char c : digits) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
      n = n * 10 + (c - '0');
    }
    return n;
  };
  if (name.size() >= 2 && name[0] == 'F')
    if (auto n = number(name.substr(1)); n && *n >= 1 && *n <= 12) return vk::F1 + *n - 1;
  if (name.size() == 4 && name.substr(0, 3) == "Num")
    if (auto n = number(name.substr(3)); n) return vk::Numpad0 + *n;
  return std::nullopt;
}

}  // namespace cab
