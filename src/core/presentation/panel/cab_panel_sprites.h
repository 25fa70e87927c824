#pragma once

#include <array>
#include <cstddef>

#include "core/data/cab_layout.h"
#include "core/presentation/sprite_model.h"

namespace cab {

// The panel's pictures made from the cab layout at loading, in the order they
// are created (which also orders sprites of equal depth). The names are the
// layout's; the four Needle_*_L are bar gauges.
enum class PanelElement {
  Panel,
  Panel2,
  Lamp_Door,
  Lamp_Power,
  Lamp_EB,
  Lamp_Gen,
  Lamp_Air,
  Lamp_Fin,
  Lamp_Ele,
  Lamp_Ats1,
  Lamp_Ats2,
  Lamp_Ats3,
  Lamp_TASC1,
  Lamp_TASC2,
  Lamp_TASC3,
  Lamp_ATSP1,
  Lamp_ATSP2,
  Lamp_Fwd,
  Lamp_Back,
  Lamp_Stop,
  Needle_Speed,
  Needle_Brake,
  Needle_ER,
  Needle_BP,
  Needle_MR,
  Needle_SAP,
  Needle_BC,
  Needle_V,
  Needle_I,
  Lamp_Const,
  Needle_BC_L,
  Needle_MR_L,
  Needle_Ip_L,
  Needle_Ib_L,
  Count
};

// The multi-frame pictures, created while the vehicle and route files are read.
enum class PanelPattern {
  Lamp_signal,
  NotchImageP,
  NotchImageB,
  NotchImageP2,
  NotchImageB2,
  GearImageList,
  GearImageList2,
  Digi_Speed,
  Monitor,
  Count
};

// One element's sprite and the top it sways about (its layout top; a bar's
// moves with its value, see CabPanelState::barTops).
struct PanelSprite {
  SpriteId id = -1;  // -1: the layout has no such element
  int top = 0;

  bool exists() const { return id >= 0; }
};

// Which sprite shows which element of the cab panel, and where the driver has
// moved the whole panel (Shift+Up/Down).
struct CabPanelSprites {
  static constexpr std::size_t ElementCount = static_cast<std::size_t>(PanelElement::Count);
  static constexpr std::size_t PatternCount = static_cast<std::size_t>(PanelPattern::Count);

  std::array<PanelSprite, ElementCount> elements{};
  std::array<PanelSprite, CabLayout::OthersCapacity> others{};  // "[Others]" rows
  std::array<PanelSprite, PatternCount> patterns{};
  int panelTop = 0;  // 0, or moved up in 50-pixel steps down to -150

  PanelSprite& operator[](PanelElement e) { return elements[static_cast<std::size_t>(e)]; }
  const PanelSprite& operator[](PanelElement e) const { return elements[static_cast<std::size_t>(e)]; }
  PanelSprite& operator[](PanelPattern p) { return patterns[static_cast<std::size_t>(p)]; }
  const PanelSprite& operator[](PanelPattern p) const { return patterns[static_cast<std::size_t>(p)]; }
};

// The element's sprite, or nullptr when the layout has none.
inline Sprite* spriteOf(SpriteModel& sprites, const PanelSprite& p) {
  return p.exists() ? &sprites.sprite(p.id) : nullptr;
}

// Shows or hides the element; nothing happens when the layout has none.
inline void setVisible(SpriteModel& sprites, const PanelSprite& p, bool visible) {
  if (Sprite* s = spriteOf(sprites, p)) s->visible = visible;
}

}  // namespace cab
