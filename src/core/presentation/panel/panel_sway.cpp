#include "core/presentation/panel/panel_sway.h"

namespace cab {

namespace {

constexpr int ShiftStep = 50;     // pixels
constexpr int HighestTop = -150;  // pixels

// The bar of a bar-gauge element, or -1 for any other element.
int barOf(PanelElement e) {
  switch (e) {
    case PanelElement::Needle_BC_L:
      return CabPanelState::BcBar;
    case PanelElement::Needle_MR_L:
      return CabPanelState::MrBar;
    case PanelElement::Needle_Ip_L:
      return CabPanelState::PowerCurrentBar;
    case PanelElement::Needle_Ib_L:
      return CabPanelState::BrakeCurrentBar;
    default:
      return -1;
  }
}

void place(SpriteModel& sprites, const PanelSprite& p, int top) {
  if (Sprite* s = spriteOf(sprites, p)) s->y = top;
}

}  // namespace

void swayCabPanel(const CabPanelSprites& ids, const CabPanelState& panel, SpriteModel& sprites, int swayOffset) {
  const int shift = ids.panelTop + swayOffset;
  for (std::size_t i = 0; i < ids.elements.size(); ++i) {
    const int bar = barOf(static_cast<PanelElement>(i));
    const int top = bar >= 0 ? panel.barTops[static_cast<std::size_t>(bar)] : ids.elements[i].top;
    place(sprites, ids.elements[i], top + shift);
  }
  for (const PanelSprite& p : ids.others) place(sprites, p, p.top + shift);
  for (const PanelSprite& p : ids.patterns) place(sprites, p, p.top + shift);
}

void shiftCabPanelUp(CabPanelSprites& ids) {
  if (ids.panelTop > HighestTop) ids.panelTop -= ShiftStep;
}

void shiftCabPanelDown(CabPanelSprites& ids) {
  if (ids.panelTop < 0) ids.panelTop += ShiftStep;
}

}  // namespace cab
