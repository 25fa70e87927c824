#include "core/presentation/panel/lamp_sprites.h"

#include "core/vehicle/train_state.h"

namespace cab {

namespace {

using E = PanelElement;
using P = PanelPattern;

struct LampFlag {
  PanelElement lamp;
  bool CabLamps::*lit;
};

constexpr LampFlag LampFlags[] = {
    {E::Lamp_Door, &CabLamps::door},      {E::Lamp_Power, &CabLamps::power}, {E::Lamp_Gen, &CabLamps::gen},
    {E::Lamp_Ele, &CabLamps::ele},        {E::Lamp_Fin, &CabLamps::fin},     {E::Lamp_Air, &CabLamps::air},
    {E::Lamp_Const, &CabLamps::constant}, {E::Lamp_Stop, &CabLamps::stop},   {E::Lamp_Ats1, &CabLamps::ats1},
    {E::Lamp_Ats2, &CabLamps::ats2},      {E::Lamp_Ats3, &CabLamps::ats3},   {E::Lamp_ATSP1, &CabLamps::atsp1},
    {E::Lamp_ATSP2, &CabLamps::atsp2},    {E::Lamp_EB, &CabLamps::eb},
};

void showFrame(SpriteModel& sprites, const PanelSprite& picture, int frame) {
  Sprite* s = spriteOf(sprites, picture);
  if (s && frame >= 0 && frame < sprites.image(s->image).patternCount()) s->pattern = frame;
}

// The second brake picture's frame: its last or second-to-last while a
// protection brake acts.
int brake2Frame(const SpriteModel& sprites, const PanelSprite& picture, const NotchIndicators& n) {
  if (n.brake2FromEnd == 0 || !picture.exists()) return n.brake2Frame;
  return sprites.image(sprites.sprite(picture.id).image).patternCount() - n.brake2FromEnd;
}

}  // namespace

void lampFlagsFromSprites(CabLamps& lamps, const CabPanelSprites& ids, const SpriteModel& sprites) {
  for (const LampFlag& f : LampFlags)
    if (ids[f.lamp].exists()) lamps.*f.lit = sprites.sprite(ids[f.lamp].id).visible;
  for (std::size_t i = 0; i < ids.others.size(); ++i)
    if (ids.others[i].exists()) lamps.others[i] = sprites.sprite(ids.others[i].id).visible;
  if (const PanelSprite& cabLimit = ids[P::Lamp_signal]; cabLimit.exists())
    lamps.cabLimit = sprites.sprite(cabLimit.id).visible;
}

void showCabLamps(const CabPanelSprites& ids, SpriteModel& sprites, const CabLamps& lamps, const TrainState& t) {
  for (const LampFlag& f : LampFlags) setVisible(sprites, ids[f.lamp], lamps.*f.lit);
  for (std::size_t i = 0; i < ids.others.size(); ++i) setVisible(sprites, ids.others[i], lamps.others[i]);

  showFrame(sprites, ids[P::Lamp_signal], lamps.cabLimitFrame);
  setVisible(sprites, ids[P::Lamp_signal], lamps.cabLimit);

  const NotchIndicators& n = t.indicators;
  setVisible(sprites, ids[E::Lamp_Fwd], n.forwardLamp);
  setVisible(sprites, ids[E::Lamp_Back], n.reverseLamp);
  showFrame(sprites, ids[P::NotchImageP], n.powerFrame);
  setVisible(sprites, ids[P::NotchImageP], n.powerVisible);
  showFrame(sprites, ids[P::NotchImageB], n.brakeFrame);
  showFrame(sprites, ids[P::NotchImageP2], n.power2Frame);
  setVisible(sprites, ids[P::NotchImageP2], n.power2Visible);
  showFrame(sprites, ids[P::NotchImageB2], brake2Frame(sprites, ids[P::NotchImageB2], n));
  showFrame(sprites, ids[P::GearImageList], t.gear);
  showFrame(sprites, ids[P::GearImageList2], t.gearLever);
}

void showMonitorPattern(const CabPanelSprites& ids, SpriteModel& sprites, int pattern) {
  showFrame(sprites, ids[P::Monitor], pattern);
}

void showAtsPowerLamp(const CabPanelSprites& ids, SpriteModel& sprites, bool atsPowerOn) {
  setVisible(sprites, ids[E::Lamp_Ats1], atsPowerOn);
}

}  // namespace cab
