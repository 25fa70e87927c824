#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "core/shell/display_options.h"

namespace cab {

// The "Display" menu's items with a check mark.
enum class DisplayItem { D1, OFF1, OFF2, OFFV1, OFFC1 };

// An item of the "Display" menu, in menu order: its name, caption, whether
// it is shown, and the check it toggles (none for the two window items).
struct DisplayMenuEntry {
  const char* name;
  const char* caption;
  bool visible;
  std::optional<DisplayItem> toggles;
};
inline constexpr std::array<DisplayMenuEntry, 7> DisplayMenuEntries{{
    {"menu_d1", "操作説明(&U)", true, std::nullopt},
    {"D1", "解説なし(&D)", true, DisplayItem::D1},
    {"N3", "かんたん運転台(&E)", true, std::nullopt},
    {"OFF1", "喚呼なし(&K)", true, DisplayItem::OFF1},
    {"OFF2", "停止位置ラインを表示しない(&S)", true, DisplayItem::OFF2},
    {"OFFV1", "視覚効果OFF(&V)", false, DisplayItem::OFFV1},
    {"OFFC1", "文字表示モード切り替え(&C)", true, DisplayItem::OFFC1},
}};

// The check marks of the "Display" menu.
struct DisplayChecks {
  std::array<bool, 5> checked{};

  bool operator[](DisplayItem item) const { return checked[static_cast<std::size_t>(item)]; }
  bool& operator[](DisplayItem item) { return checked[static_cast<std::size_t>(item)]; }
};

// The check marks at the start of a drive: an item is checked when its
// option is 1 ("OFF2" follows "ATS"); any other value leaves it unchecked.
DisplayChecks displayChecks(const DisplayOptions& options);

// Toggles an item's check and sets its option to 1 when now checked, else 0.
// "OFF2" stores nothing: the caller shows or hides the stop-position lines.
// Returns the new check.
bool toggleDisplayItem(DisplayChecks& checks, DisplayOptions& options, DisplayItem item);

}  // namespace cab
