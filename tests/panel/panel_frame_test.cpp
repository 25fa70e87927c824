#include <gtest/gtest.h>

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/presentation/panel/gauge_sprites.h"
#include "core/presentation/panel/gauges.h"
#include "core/presentation/panel/lamp_sprites.h"
#include "core/presentation/panel/panel_sway.h"
#include "core/vehicle/train_state.h"
#include "tests/panel/panel_fixture.h"

namespace cab {
namespace {

using E = PanelElement;
using P = PanelPattern;

// A panel of every element and the pattern pictures, on a vehicle with eight
// brake positions whose gauges show the trailer car.
class PanelFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    f.layout.Needle_Speed.one = 2.25L;
    f.layout.Needle_Speed.c = 4;
    f.addPattern("img_lamp_p", 5, 712);
    f.addPattern("img_lamp_b", 9, 712);
    f.addPattern("img_lamp_p2", 5, 744);
    f.addPattern("img_lamp_b2", 10, 744);
    f.addPattern("img_lamp_gear", 3, 744);
    f.addPattern("img_gearlever", 3, 700);
    f.addPattern("img_digi_speed", 200, 592);
    f.addPattern("img_mon", 4, 400);
    f.addPattern("img_cabsignal", 3, 700);
    ids = f.create();
    v.Brake = 8;
    v.cabLayout = f.layout;
    panel.reset();
  }

  Sprite& sprite(E e) { return f.sprites.sprite(ids[e].id); }
  Sprite& sprite(P p) { return f.sprites.sprite(ids[p].id); }
  int angle(E e) { return sprite(e).angle; }
  void frame(long double mrHornDrop = 0) { updateCabGauges(panel, ids, f.sprites, t, v, mrHornDrop); }
  static int units(long double degrees) { return static_cast<int>(Round(degrees * AngleUnitsPerDegree)); }

  testing::PanelFixture f;
  CabPanelSprites ids;
  VehicleSpec v;
  TrainState t;
  CabPanelState panel;
};

TEST_F(PanelFrame, NeedlesTurnToTheTrainState) {
  t.speed = 60;
  t.bpPressure = 490;
  t.mrPressure = 800;
  t.sapPressure = 100;
  t.erPressure = 480;
  t.ammeter = -200;
  panel.voltmeter = 1500;
  panel.brakeIndicator = 2;
  frame();
  EXPECT_EQ(angle(E::Needle_Speed), units(60 * 2.25L - 135 - (2.25L - 4) * 10));
  EXPECT_EQ(angle(E::Needle_BP), units(490 * 0.3375L - 135));
  EXPECT_EQ(angle(E::Needle_MR), units(800 * 0.3375L - 135));
  EXPECT_EQ(angle(E::Needle_SAP), units(100 * 0.3375L - 135));
  EXPECT_EQ(angle(E::Needle_ER), units(480 * 0.3375L - 135));
  EXPECT_EQ(angle(E::Needle_I), units(-200 * 0.3375L - 135));
  EXPECT_EQ(angle(E::Needle_V), units(1500 * 0.3375L - 135));
  EXPECT_EQ(angle(E::Needle_Brake), units(2 * 0.3375L - 135));
  // Reversing slowly leaves the speedometer where it was.
  t.speed = -0.5L;
  frame();
  EXPECT_EQ(angle(E::Needle_Speed), units(60 * 2.25L - 135 - (2.25L - 4) * 10));
}

TEST_F(PanelFrame, TheHornDipsTheMainReservoirNeedleButNotItsBar) {
  t.mrPressure = 800;
  frame(-100);
  EXPECT_EQ(angle(E::Needle_MR), units(700 * 0.3375L - 135));
  EXPECT_EQ(panel.barTops[CabPanelState::MrBar], testing::PanelFixture::BarZero - 80);
}

TEST_F(PanelFrame, BarTopsFollowTheValuesAndTheSwayPlacesThem) {
  t.bcTrailer = 440;
  t.bcMotor = 100;
  t.ammeter = -300;
  frame();
  const int zero = testing::PanelFixture::BarZero;
  EXPECT_EQ(panel.barTops[CabPanelState::BcBar], zero - 44);
  EXPECT_EQ(panel.barTops[CabPanelState::PowerCurrentBar], zero + 30);
  EXPECT_EQ(panel.barTops[CabPanelState::BrakeCurrentBar], zero + 30);
  EXPECT_EQ(sprite(E::Needle_BC_L).y, zero);  // placed only after the flip
  swayCabPanel(ids, panel, f.sprites, 3);
  EXPECT_EQ(sprite(E::Needle_BC_L).y, zero - 44 + 3);
  EXPECT_EQ(sprite(E::Needle_Ib_L).y, zero + 30 + 3);
  // With the motor car's gauge the bar shows the motor car; with another
  // "[Mc]" the bar stays.
  v.Mc = 1;
  frame();
  EXPECT_EQ(panel.barTops[CabPanelState::BcBar], zero - 10);
  v.Mc = 5;
  t.bcMotor = 300;
  frame();
  EXPECT_EQ(panel.barTops[CabPanelState::BcBar], zero - 10);
}

TEST_F(PanelFrame, TheBrakeCylinderNeedleLagsTenFrames) {
  t.bcTrailer = 440;
  for (int i = 0; i < 9; ++i) frame();
  EXPECT_GT(angle(E::Needle_BC), units(440 * 0.3375L - 135));
  frame();
  EXPECT_EQ(angle(E::Needle_BC), 38);  // every sample at round-half-away(38.36)
}

TEST_F(PanelFrame, TheAmmeterModeChoosesTheCurrentBar) {
  struct Step {
    const char* what;
    int powerNotch, brakeCommand;
    long double elecBrakeCurrent;
    bool powerBar, brakeBar;
  } steps[] = {
      {"powering", 2, 0, 0, true, false},
      {"neither keeps powering's bars", 0, 0, 0, true, false},
      {"electric braking", 0, -3, 100, false, true},
      {"neither keeps braking's bars", 0, 0, 0, false, true},
  };
  for (const Step& s : steps) {
    t.powerNotch = s.powerNotch;
    t.brakeCommand = s.brakeCommand;
    t.elecBrakeCurrent = s.elecBrakeCurrent;
    frame();
    EXPECT_EQ(sprite(E::Needle_Ip_L).visible, s.powerBar) << s.what;
    EXPECT_EQ(sprite(E::Needle_Ib_L).visible, s.brakeBar) << s.what;
  }
}

TEST_F(PanelFrame, DigitalSpeedShowsItsFrameAndStaysFrom200) {
  sprite(P::Digi_Speed).visible = false;
  const struct {
    long double speed;
    int pattern;
  } steps[] = {{0, 0}, {42.5L, 43}, {-7.4L, 7}, {199.4L, 199}, {230, 199}};
  for (const auto& s : steps) {
    t.speed = s.speed;
    frame();
    EXPECT_TRUE(sprite(P::Digi_Speed).visible);
    EXPECT_EQ(sprite(P::Digi_Speed).pattern, s.pattern) << static_cast<double>(s.speed);
  }
}

TEST_F(PanelFrame, LampsShowTheirFlags) {
  CabLamps lamps;
  lampFlagsFromSprites(lamps, ids, f.sprites);
  // Lit as created until the tick decides: door, power, brake, ready, notching,
  // air, the vigilance warning and the cab limit lamp.
  EXPECT_TRUE(lamps.door && lamps.power && lamps.gen && lamps.ele && lamps.fin && lamps.air && lamps.eb &&
              lamps.cabLimit);
  EXPECT_FALSE(lamps.constant || lamps.stop || lamps.others[0] || lamps.others[1]);
  EXPECT_FALSE(lamps.ats1 || lamps.ats2 || lamps.ats3 || lamps.atsp1 || lamps.atsp2);

  lamps = CabLamps{};
  lamps.door = false;
  lamps.ele = true;
  lamps.stop = true;
  lamps.others[1] = true;
  lamps.others[3] = true;  // no picture for row 3: nothing to show
  lamps.ats2 = lamps.atsp1 = true;
  lamps.cabLimitFrame = 2;
  t.indicators.forwardLamp = false;
  t.indicators.reverseLamp = true;
  showCabLamps(ids, f.sprites, lamps, t);
  const struct {
    E lamp;
    bool visible;
  } expected[] = {{E::Lamp_Door, false}, {E::Lamp_Power, false}, {E::Lamp_Gen, false},   {E::Lamp_Ele, true},
                  {E::Lamp_Fin, false},  {E::Lamp_Air, false},   {E::Lamp_Const, false}, {E::Lamp_Stop, true},
                  {E::Lamp_Fwd, false},  {E::Lamp_Back, true},   {E::Lamp_EB, false},    {E::Lamp_Ats1, false},
                  {E::Lamp_Ats2, true},  {E::Lamp_Ats3, false},  {E::Lamp_ATSP1, true},  {E::Lamp_ATSP2, false},
                  {E::Lamp_TASC1, false}};  // no flag: as created
  for (const auto& e : expected) EXPECT_EQ(sprite(e.lamp).visible, e.visible) << static_cast<int>(e.lamp);
  EXPECT_FALSE(sprite(P::Lamp_signal).visible);
  EXPECT_EQ(sprite(P::Lamp_signal).pattern, 2);
  lamps.cabLimit = true;
  lamps.cabLimitFrame = 3;  // the picture has frames 0 to 2: it keeps the one it shows
  showCabLamps(ids, f.sprites, lamps, t);
  EXPECT_TRUE(sprite(P::Lamp_signal).visible);
  EXPECT_EQ(sprite(P::Lamp_signal).pattern, 2);
  EXPECT_FALSE(f.sprites.sprite(ids.others[0].id).visible);
  EXPECT_TRUE(f.sprites.sprite(ids.others[1].id).visible);

  showAtsPowerLamp(ids, f.sprites, true);
  EXPECT_TRUE(sprite(E::Lamp_Ats1).visible);
  showAtsPowerLamp(ids, f.sprites, false);
  EXPECT_FALSE(sprite(E::Lamp_Ats1).visible);
}

TEST_F(PanelFrame, NotchAndGearPicturesShowTheControllersFrames) {
  const CabLamps lamps;
  NotchIndicators& n = t.indicators;
  n.powerFrame = 3;
  n.powerVisible = false;
  n.brakeFrame = 7;
  n.power2Frame = 2;
  n.brake2Frame = 4;
  t.gear = 2;
  t.gearLever = 1;
  showCabLamps(ids, f.sprites, lamps, t);
  EXPECT_EQ(sprite(P::NotchImageP).pattern, 3);
  EXPECT_FALSE(sprite(P::NotchImageP).visible);
  EXPECT_EQ(sprite(P::NotchImageB).pattern, 7);
  EXPECT_EQ(sprite(P::NotchImageP2).pattern, 2);
  EXPECT_EQ(sprite(P::NotchImageB2).pattern, 4);
  EXPECT_EQ(sprite(P::GearImageList).pattern, 2);
  EXPECT_EQ(sprite(P::GearImageList2).pattern, 1);

  // A frame the picture lacks is not set; a protection brake counts from the end.
  n.powerFrame = 5;  // the power picture has frames 0 to 4
  n.brakeFrame = -1;
  n.brake2FromEnd = 2;
  t.gear = 3;
  showCabLamps(ids, f.sprites, lamps, t);
  EXPECT_EQ(sprite(P::NotchImageP).pattern, 3);
  EXPECT_EQ(sprite(P::NotchImageB).pattern, 7);
  EXPECT_EQ(sprite(P::NotchImageB2).pattern, 8);
  EXPECT_EQ(sprite(P::GearImageList).pattern, 2);
  n.brake2FromEnd = 1;
  showCabLamps(ids, f.sprites, lamps, t);
  EXPECT_EQ(sprite(P::NotchImageB2).pattern, 9);
}

TEST_F(PanelFrame, TheCabMonitorShowsTheStationsPattern) {
  showMonitorPattern(ids, f.sprites, 2);
  EXPECT_EQ(sprite(P::Monitor).pattern, 2);
  showMonitorPattern(ids, f.sprites, 4);  // the picture has patterns 0 to 3
  EXPECT_EQ(sprite(P::Monitor).pattern, 2);
}

TEST_F(PanelFrame, EverySpriteSwaysAboutItsTopAndTheDriverShiftsThePanel) {
  frame();  // the bars' tops
  const auto expectAll = [&](int shift) {
    for (std::size_t i = 0; i < ids.elements.size(); ++i) {
      const Sprite& s = f.sprites.sprite(ids.elements[i].id);
      const bool bar = static_cast<E>(i) >= E::Needle_BC_L;
      EXPECT_EQ(s.y, (bar ? testing::PanelFixture::BarZero : ids.elements[i].top) + shift) << i;
    }
    for (const PanelSprite& p : ids.others) EXPECT_TRUE(!p.exists() || f.sprites.sprite(p.id).y == p.top + shift);
    for (const PanelSprite& p : ids.patterns) EXPECT_TRUE(!p.exists() || f.sprites.sprite(p.id).y == p.top + shift);
  };
  const double speedX = sprite(E::Needle_Speed).x;
  swayCabPanel(ids, panel, f.sprites, -7);
  expectAll(-7);  // hidden lamps too
  EXPECT_FALSE(sprite(E::Lamp_Ats2).visible);
  EXPECT_EQ(sprite(E::Needle_Speed).x, speedX);

  // Shift+Up: 50 pixels a press while the top is above -150; Shift+Down back to 0.
  const int ups[] = {-50, -100, -150, -150};
  for (int top : ups) {
    shiftCabPanelUp(ids);
    EXPECT_EQ(ids.panelTop, top);
  }
  swayCabPanel(ids, panel, f.sprites, 3);
  expectAll(-150 + 3);
  const int downs[] = {-100, -50, 0, 0};
  for (int top : downs) {
    shiftCabPanelDown(ids);
    EXPECT_EQ(ids.panelTop, top);
  }
}

}  // namespace
}  // namespace cab
