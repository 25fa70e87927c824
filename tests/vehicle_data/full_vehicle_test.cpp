#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/common/data_directory.h"
#include "core/common/text_decoding.h"
#include "core/data/vehicle_loader.h"
#include "core/presentation/sprite_model.h"
#include "tests/vehicle_data/fake_pictures.h"

namespace cab {
namespace {

// A field, what it holds and what the fixture wrote for it.
struct Field {
  const char* name;
  long double actual;
  long double expected;
};
#define FIELD(expr, expected) \
  Field { #expr, static_cast < long double>(expr), static_cast < long double>(expected) }

class FullVehicle : public ::testing::Test {
 protected:
  void SetUp() override {
    v = loadVehicleFile(DataDirectory(CABVIEW_FIXTURES), "vehicle\\", "full_vehicle.dat", pictures, sprites);
  }
  testing::FakePictureLoader pictures;
  SpriteModel sprites;
  VehicleSpec v;
};

TEST(FullVehicleFixture, IsWrittenInCp932) {
  std::ifstream in(std::string(CABVIEW_FIXTURES) + "/vehicle/full_vehicle.dat", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_FALSE(isValidUtf8(bytes.str()));
  EXPECT_NE(bytes.str().find(encodeCp932("- 列車の基本設定")), std::string::npos);
}

TEST_F(FullVehicle, RunningGearAndBrakes) {
  const Field fields[] = {
      FIELD(v.Handle, 1), FIELD(v.BrakeType, 1), FIELD(v.BrakeType2, 2), FIELD(v.Brake, 3), FIELD(v.Power, 2),
      FIELD(v.NotchBack, 1), FIELD(v.Hold, 2), FIELD(v.Pull, 1), FIELD(v.ConstNotch, 2), FIELD(v.ConstMinSpeed, 35),
      FIELD(v.Back, 1), FIELD(v.InterLock, 1), FIELD(v.BrakeRate[0].raw(), 45000), FIELD(v.BrakeRate[1].raw(), 32500),
      // Fixed values keep four decimals, rounded to nearest.
      FIELD(v.BrakeRate[2].raw(), 301235), FIELD(v.BrakeRate2, 0.0123L), FIELD(v.PowerDelay, 150),
      FIELD(v.BrakeDelay, 250), FIELD(v.EBrakeDelay, 350), FIELD(v.PowerJerk, 12), FIELD(v.SAPDelay, 450),
      FIELD(v.BrakeUp, 220), FIELD(v.BrakeDown, 180), FIELD(v.SAPUp, 210), FIELD(v.SAPDown, 190),
      FIELD(v.AmMeter[0], 1), FIELD(v.AmMeter[1], 150), FIELD(v.EBrakeUp, 300), FIELD(v.EBrakeDown, 320),
      FIELD(v.EBrakeCurr, 600), FIELD(v.EBrakeCurr2, 2.75L), FIELD(v.BPReturn, 95), FIELD(v.MAXPress, 440),
      FIELD(v.MAXPressLoad, 1.25L), FIELD(v.EBPress, 480), FIELD(v.EBPressLoad, 1.5L), FIELD(v.SAPPress, 430),
      FIELD(v.SAPPressLoad, 0.75L), FIELD(v.HighAirPress, 880), FIELD(v.LowAirPress, 780), FIELD(v.Engine_Type, 1),
      FIELD(v.DoorLock, 1), FIELD(v.Power_Type, 1), FIELD(v.Brake_Type, 1), FIELD(v.DoorType, 3),
      FIELD(v.Tons[0].raw(), 1321235), FIELD(v.Tons[1].raw(), 6500), FIELD(v.Mt[0].raw(), 625000),
      FIELD(v.Mt[1].raw(), 3000), FIELD(v.Tt[0].raw(), 696234),  // 69.62345: the half goes to the even digit
      FIELD(v.Tt[1].raw(), 3500), FIELD(v.Cars, 4), FIELD(v.Length, 20), FIELD(v.EB, 1), FIELD(v.MaxSpeed, 120),
      FIELD(v.Lose_elec[0], 5), FIELD(v.Lose_elec[1], 7), FIELD(v.ELBR, 70), FIELD(v.Mc, 1), FIELD(v.ATS_Type, 2),
      FIELD(v.ATS_Alert, 1), FIELD(v.ATS_Time, 5), FIELD(v.ATS_Cnt, 1)};
  for (const Field& f : fields) EXPECT_EQ(f.actual, f.expected) << f.name;
}

TEST_F(FullVehicle, Sounds) {
  const Field fields[] = {FIELD(v.Sound_BK[0].first, 10),
                          FIELD(v.Sound_BK[2].second, 15),
                          FIELD(v.Sound_BK[3].first, 0),
                          FIELD(v.Sound_BR[0].first, 20),
                          FIELD(v.Sound_BR[2].second, 25),
                          FIELD(v.Sound_BA[3].first, 36),
                          FIELD(v.Sound_BA[3].second, 37),
                          FIELD(v.Sound_PA[0], 40),
                          FIELD(v.Sound_PA[1], 41),
                          FIELD(v.Sound_PA[2], 0),
                          FIELD(v.Sound_PR[1], 43),
                          FIELD(v.Sound_PK[0], 44),
                          FIELD(v.Sound_PK[1], 45),
                          FIELD(v.Sound_Rev[0], 50),
                          FIELD(v.Sound_Rev[2], 52),
                          FIELD(v.Sound_EB[0], 53),
                          FIELD(v.Sound_EB[1], 54),
                          FIELD(v.Sound_Apply[0], 55),
                          FIELD(v.Sound_Apply[1], 56),
                          FIELD(v.Sound_Ats1, 57),
                          FIELD(v.Sound_Ats2, 58),
                          FIELD(v.Sound_Ats3, 59),
                          FIELD(v.Sound_Atc, 60),
                          FIELD(v.Sound_Horn, 61),
                          FIELD(v.Sound_Horn2[0], 62),
                          FIELD(v.Sound_Horn2[3], 65),
                          FIELD(v.Sound_Horn2[4], 3),
                          FIELD(v.Sound_Horn2Air.raw(), 80000),
                          FIELD(v.Sound_Horn3, 66),
                          FIELD(v.Sound_Horn4[0], 67),
                          FIELD(v.Sound_Horn4[3], 70),
                          FIELD(v.Sound_Horn4[4], 4),
                          FIELD(v.Sound_Horn4Air.raw(), 90000),
                          FIELD(v.Sound_DoorOpen, 71),
                          FIELD(v.Sound_DoorClose, 72),
                          FIELD(v.Sound_Hasten[0], 73),
                          FIELD(v.Sound_Hasten[1], 74),
                          FIELD(v.Sound_EBring, 75),
                          FIELD(v.Sound_squeak, 76),
                          FIELD(v.CP_Start, 77),
                          FIELD(v.CP_Cnt, 78),
                          FIELD(v.CP_End, 79),
                          FIELD(v.Stop, 80),
                          FIELD(v.Buzzer, 81),
                          FIELD(v.DepSign, 82),
                          FIELD(v.ATS_Warn, 83)};
  for (const Field& f : fields) EXPECT_EQ(f.actual, f.expected) << f.name;
  EXPECT_EQ(v.KEY4, "H");
}

TEST_F(FullVehicle, Tables) {
  const Field fields[] = {FIELD(v.SwitchSoundCount, 2),
                          FIELD(v.SwitchSound[1].channel, 85),
                          FIELD(v.SwitchSound[1].upperSpeed, 20),
                          FIELD(v.SwitchSound[1].switchType, 1),
                          FIELD(v.EngineRate[0].baseRpm, 600),
                          FIELD(v.EngineRate[1].rpmPerKmh, 25.25L),
                          FIELD(v.NotchCount, 2),
                          FIELD(v.Notch[0].a0, 2.5),
                          FIELD(v.Notch[0].a1, 2.0),
                          FIELD(v.Notch[0].v1, 35),
                          FIELD(v.Notch[0].v2, 60),
                          FIELD(v.Notch[0].e, 1.5),
                          FIELD(v.Notch[1].a0, -1.5),
                          FIELD(v.Notch[1].mode, 1),
                          FIELD(v.NotchModeStart[1], 1),
                          FIELD(v.CurrentPImax, 400),
                          FIELD(v.CurrentPaMax, 2.4L),
                          FIELD(v.CurrentPvBase, 38.5L),
                          FIELD(v.CurrentPCount, 2),
                          FIELD(v.CurrentP[1].notch, 2),
                          FIELD(v.CurrentP[1].c, 200.25L),
                          FIELD(v.CurrentP[1].v0, 2.5L),
                          FIELD(v.CurrentP[1].delay, 300),
                          FIELD(v.CurrentP[1].sound, 87),
                          FIELD(v.BrakeCurr[0], 150),
                          FIELD(v.BrakeCurr[1], 250),
                          FIELD(v.CurrentBCount, 2),
                          FIELD(v.CurrentB[0].a, 0.5L),
                          FIELD(v.CurrentB[1].b, 2.5L),
                          FIELD(v.CurrentB[1].unused, 8),
                          FIELD(v.Gear_Type, 1),
                          FIELD(v.EngineCount, 2),
                          FIELD(v.Engine[0].s0, 5),
                          FIELD(v.Engine[0].s2, 40),
                          FIELD(v.Engine[0].f0, 1500.5),
                          FIELD(v.Engine[0].f2, 800.125),
                          FIELD(v.Engine[1].s1, 30),
                          FIELD(v.Engine[1].f1, 1100),
                          FIELD(v.PowerModeCount, 2),
                          FIELD(v.SuppressCount, 2),
                          FIELD(v.Suppress[1], 2),
                          FIELD(v.EngineSound1Count, 1),
                          FIELD(v.EngineSound1[0].kagen, 1),
                          FIELD(v.EngineSound1[0].Speed4, 80),
                          FIELD(v.EngineSound1[0].Rate1, 0.5L),
                          FIELD(v.EngineSound1[0].Volume4, 400),
                          FIELD(v.EngineSound2[0], 88),
                          FIELD(v.EngineSound2[3], 91),
                          FIELD(v.EngineSound3Count, 1),
                          FIELD(v.EngineSound3[0].kagen, 2),
                          FIELD(v.EngineSound3[0].gear, 1),
                          FIELD(v.EngineSound3[0].EndSpeed, 30),
                          FIELD(v.EngineSound3[0].StartRate, 0.8L),
                          FIELD(v.EngineSound3[0].EndVolume, 250),
                          FIELD(v.DriveSoundCount, 2)};
  for (const Field& f : fields) EXPECT_EQ(f.actual, f.expected) << f.name;
  EXPECT_EQ(v.PowerMode[0].first, "直列");
  EXPECT_EQ(v.PowerMode[1].second, "P");
  EXPECT_EQ(v.EngineSound1[0].index, "sound\\motor1.wav");
  EXPECT_EQ(v.EngineSound3[0].index, "sound\\gear1.wav");
  EXPECT_EQ(v.DriveSound[1], "sound\\horn.wav");
}

TEST_F(FullVehicle, CabLayout) {
  const CabLayout& c = v.cabLayout;
  EXPECT_EQ(c.ClockFlagA, 1);
  EXPECT_EQ(c.ClockFlagB, 2);
  EXPECT_EQ(c.ClockHandLength, 30);
  // The lamps were written with Left 0, 1, 2 ... and Top 100, 101, ... in key order.
  const Lamp* lamps[] = {&c.Panel,      &c.Panel2,     &c.Lamp_Door,  &c.Lamp_Power, &c.Lamp_EB,    &c.Lamp_Gen,
                         &c.Lamp_Air,   &c.Lamp_Fin,   &c.Lamp_Ele,   &c.Lamp_Ats1,  &c.Lamp_Ats2,  &c.Lamp_Ats3,
                         &c.Lamp_TASC1, &c.Lamp_TASC2, &c.Lamp_TASC3, &c.Lamp_ATSP1, &c.Lamp_ATSP2, &c.Lamp_G,
                         &c.Lamp_YG,    &c.Lamp_Y,     &c.Lamp_YY,    &c.Lamp_R,     &c.Lamp_Fwd,   &c.Lamp_Back,
                         &c.Lamp_Const, &c.Lamp_Stop};
  for (int i = 0; i < static_cast<int>(std::size(lamps)); ++i) {
    EXPECT_EQ(lamps[i]->Left, i) << i;
    EXPECT_EQ(lamps[i]->Top, 100 + i) << i;
    EXPECT_EQ(lamps[i]->name.rfind("cab\\", 0), 0u) << i;
  }
  EXPECT_EQ(c.Lamp_Stop.name, "cab\\stop.bmp");

  // Needles: Left 200 + i; seven-line needles Top 300 + i, Width 40 + i, Height 80 + i, zero -(100 + i)...
  const Field fields[] = {FIELD(c.Needle_Brake.Left, 200),   FIELD(c.Needle_Brake.Top, 300),
                          FIELD(c.Needle_Brake.Width, 40),   FIELD(c.Needle_Brake.Height, 80),
                          FIELD(c.Needle_Brake.zero, -135),  FIELD(c.Needle_Brake.one, 27.5L),
                          FIELD(c.Needle_Speed.zero, -120),  FIELD(c.Needle_Speed.one, 2.25L),
                          FIELD(c.Needle_Speed.c, 1.5L),     FIELD(c.Needle_BC.Top, 302),
                          FIELD(c.Needle_BC.one, 0.5L),      FIELD(c.Needle_BC_L.Left, 203),
                          FIELD(c.Needle_BC_L.Top, 0),       FIELD(c.Needle_BC_L.zero, 400),
                          FIELD(c.Needle_BC_L.one, 0.25L),   FIELD(c.Needle_Ip_L.zero, 401),
                          FIELD(c.Needle_Ip_L.one, 0.125L),  FIELD(c.Needle_Ib_L.zero, 402),
                          FIELD(c.Needle_Ib_L.one, 0.0625L), FIELD(c.Needle_SAP.Height, 86),
                          FIELD(c.Needle_SAP.one, 0.6L),     FIELD(c.Needle_ER.Width, 47),
                          FIELD(c.Needle_ER.one, 0.7L),      FIELD(c.Needle_BP.zero, -108),
                          FIELD(c.Needle_BP.one, 0.8L),      FIELD(c.Needle_MR.Top, 309),
                          FIELD(c.Needle_MR.one, 0.9L),      FIELD(c.Needle_MR_L.zero, 410),
                          FIELD(c.Needle_MR_L.one, 0.3L),    FIELD(c.Needle_V.Height, 91),
                          FIELD(c.Needle_V.one, 0.05L),      FIELD(c.Needle_I.zero, -112),
                          FIELD(c.Needle_I.one, 0.1L),       FIELD(c.Needle_I.sign, 1),
                          FIELD(c.Lamp_signal.Left, 500),    FIELD(c.Lamp_signal.patternWidth, 20),
                          FIELD(c.NotchImageB2.Top, 14),     FIELD(c.GearImageList2.patternHeight, 8),
                          FIELD(c.Digi_Speed.Left, 507),     FIELD(c.LampSignalSpeedCount, 3),
                          FIELD(c.LampSignalSpeeds[1], 25),  FIELD(c.LampSignalSpeeds[2], 45),
                          FIELD(c.OthersCount, 2),           FIELD(c.Others[1].Left, 601),
                          FIELD(c.Others[1].Top, 701)};
  for (const Field& f : fields) EXPECT_EQ(f.actual, f.expected) << f.name;
  EXPECT_EQ(c.Needle_I.name, "cab\\n_i.bmp");
  EXPECT_EQ(c.Needle_MR_L.name, "cab\\bar_mr.bmp");
  EXPECT_EQ(c.Digi_Speed.name, "CAB\\Digits.PIC");
  EXPECT_EQ(c.Others[0].name, "cab\\other0.bmp");
}

TEST_F(FullVehicle, PatternPicturesBecomeSprites) {
  struct Expected {
    const char* image;
    int depth, x, y, width, height, patterns, pictureWidth, pictureHeight;
  };
  // In file order; the picture sizes are those of the fixture pictures.
  const Expected expected[] = {
      {"img_cabsignal", 30, 500, 10, 20, 10, 4, 40, 20}, {"img_lamp_p", 31, 501, 11, 8, 6, 8, 32, 12},
      {"img_lamp_b", 32, 502, 12, 8, 6, 8, 32, 12},      {"img_lamp_p2", 36, 503, 13, 8, 6, 8, 32, 12},
      {"img_lamp_b2", 34, 504, 14, 8, 6, 8, 32, 12},     {"img_lamp_gear", 35, 505, 15, 12, 4, 4, 24, 8},
      {"img_gearlever", 32, 506, 16, 12, 8, 2, 24, 8},   {"img_digi_speed", 37, 507, 17, 5, 7, 20, 50, 14}};
  ASSERT_EQ(sprites.spriteCount(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Expected& e = expected[i];
    const Sprite& s = sprites.sprite(static_cast<SpriteId>(i));
    const ImageItem& item = sprites.image(s.image);
    EXPECT_EQ(item.name, e.image);
    EXPECT_EQ(s.depth, e.depth) << e.image;
    EXPECT_EQ(s.x, e.x) << e.image;
    EXPECT_EQ(s.y, e.y) << e.image;
    EXPECT_EQ(s.width, e.width) << e.image;
    EXPECT_EQ(s.height, e.height) << e.image;
    EXPECT_TRUE(s.visible) << e.image;
    EXPECT_EQ(s.pattern, 0) << e.image;
    EXPECT_EQ(item.picture.width, e.pictureWidth) << e.image;
    EXPECT_EQ(item.picture.height, e.pictureHeight) << e.image;
    EXPECT_EQ(item.patternCount(), e.patterns) << e.image;
    // Transparent in the colour of the bottom-left pixel.
    EXPECT_EQ(item.transparentColour(),
              testing::FakePictureLoader::pixel(e.pictureWidth, 0, e.pictureHeight - 1) & 0xFFFFFFu)
        << e.image;
  }
}

}  // namespace
}  // namespace cab
