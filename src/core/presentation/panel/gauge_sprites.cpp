#include "core/presentation/panel/gauge_sprites.h"

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/presentation/panel/ammeter_mode.h"
#include "core/presentation/panel/gauges.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

using E = PanelElement;

void turn(SpriteModel& sprites, const PanelSprite& needle, std::optional<long double> angle) {
  Sprite* s = spriteOf(sprites, needle);
  if (s && angle) s->angle = static_cast<int>(Round(*angle));
}

// Electric braking shows the braking-current bar, powering the powering-current
// bar; with neither both stay as they are.
void showCurrentBar(SpriteModel& sprites, const CabPanelSprites& ids, int ammeterMode) {
  if (ammeterMode != 1 && ammeterMode != 2) return;
  setVisible(sprites, ids[E::Needle_Ip_L], ammeterMode == 2);
  setVisible(sprites, ids[E::Needle_Ib_L], ammeterMode == 1);
}

void showDigitalSpeed(SpriteModel& sprites, const CabPanelSprites& ids, long double speed) {
  Sprite* s = spriteOf(sprites, ids[PanelPattern::Digi_Speed]);
  if (!s) return;
  s->visible = true;
  if (const auto pattern = digitalSpeedPattern(speed)) s->pattern = *pattern;
}

}  // namespace

void updateCabGauges(CabPanelState& panel, const CabPanelSprites& ids, SpriteModel& sprites, const TrainState& t,
                     const VehicleSpec& v, long double mrHornDrop) {
  const CabLayout& cab = v.cabLayout;
  panel.ammeterMode = ammeterMode(t, v);
  showCurrentBar(sprites, ids, panel.ammeterMode);

  turn(sprites, ids[E::Needle_I], ammeterAngle(cab.Needle_I, t.ammeter));
  turn(sprites, ids[E::Needle_V], needleAngle(cab.Needle_V, panel.voltmeter));
  turn(sprites, ids[E::Needle_Brake], needleAngle(cab.Needle_Brake, panel.brakeIndicator));
  const std::optional<long double> bc = bcGaugePressure(v.Mc, t.bcTrailer, t.bcMotor);
  turn(sprites, ids[E::Needle_BC], pushBcSample(panel.bcSamples, cab.Needle_BC, bc));
  turn(sprites, ids[E::Needle_BP], needleAngle(cab.Needle_BP, t.bpPressure));
  turn(sprites, ids[E::Needle_MR], needleAngle(cab.Needle_MR, t.mrPressure + mrHornDrop));
  turn(sprites, ids[E::Needle_SAP], needleAngle(cab.Needle_SAP, t.sapPressure));
  turn(sprites, ids[E::Needle_ER], needleAngle(cab.Needle_ER, t.erPressure));
  turn(sprites, ids[E::Needle_Speed], speedometerAngle(cab.Needle_Speed, t.speed));

  if (bc) panel.barTops[CabPanelState::BcBar] = barTop(cab.Needle_BC_L, *bc);
  panel.barTops[CabPanelState::MrBar] = barTop(cab.Needle_MR_L, t.mrPressure);
  panel.barTops[CabPanelState::PowerCurrentBar] = barTop(cab.Needle_Ip_L, t.ammeter);
  panel.barTops[CabPanelState::BrakeCurrentBar] = barTop(cab.Needle_Ib_L, t.ammeter);

  showDigitalSpeed(sprites, ids, t.speed);
}

}  // namespace cab
