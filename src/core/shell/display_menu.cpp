#include "core/shell/display_menu.h"

namespace cab {

namespace {

// The option an item mirrors; none for "OFF2".
int* optionOf(DisplayOptions& o, DisplayItem item) {
  switch (item) {
    case DisplayItem::D1:
      return &o.Information;
    case DisplayItem::OFF1:
      return &o.Kanko;
    case DisplayItem::OFFV1:
      return &o.Tunnel;
    case DisplayItem::OFFC1:
      return &o.Moji;
    case DisplayItem::OFF2:
      break;
  }
  return nullptr;
}

}  // namespace

DisplayChecks displayChecks(const DisplayOptions& options) {
  DisplayChecks c;
  c[DisplayItem::D1] = options.Information == 1;
  c[DisplayItem::OFF1] = options.Kanko == 1;
  c[DisplayItem::OFF2] = options.ATS == 1;
  c[DisplayItem::OFFV1] = options.Tunnel == 1;
  c[DisplayItem::OFFC1] = options.Moji == 1;
  return c;
}

bool toggleDisplayItem(DisplayChecks& checks, DisplayOptions& options, DisplayItem item) {
  const bool now = !checks[item];
  checks[item] = now;
  if (int* option = optionOf(options, item)) *option = now ? 1 : 0;
  return now;
}

}  // namespace cab
