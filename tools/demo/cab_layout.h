#pragma once
#include <string>
#include <vector>

namespace cab::demo {

// Where the cab panel's parts sit on the 800 × 785 cab surface; the panel
// picture fills the surface below the 640 × 360 video.
namespace cab_layout {
constexpr int PanelTop = 360;
constexpr int SurfaceWidth = 800, SurfaceHeight = 785;

struct Dial {
  const char* key;    // vehicle-file key of the needle
  const char* label;  // text on the dial face
  int cx, cy, radius;
  double maxValue;  // scale end
  int zero;         // degrees at value 0 (clockwise from straight up)
  double one;       // degrees per unit
};

// The speedometer is listed first; its scale end is the vehicle's.
inline const std::vector<Dial>& dials() {
  static const std::vector<Dial> list = {
      {"[Needle_Speed]", "km/h", 130, 545, 95, 160, -135, 270.0 / 160},
      {"[Needle_Brake]", "ブレーキ", 300, 490, 50, 8, -135, -270.0 / 8},
      {"[Needle_BC]", "BC kPa", 300, 620, 50, 800, -135, 270.0 / 800},
      {"[Needle_MR]", "MR kPa", 420, 490, 50, 1000, -135, 270.0 / 1000},
      {"[Needle_BP]", "BP kPa", 420, 620, 50, 800, -135, 270.0 / 800},
      {"[Needle_ER]", "ER kPa", 540, 490, 50, 800, -135, 270.0 / 800},
      {"[Needle_SAP]", "SAP kPa", 540, 620, 50, 800, -135, 270.0 / 800},
      {"[Needle_V]", "電圧 V", 660, 490, 50, 2000, -135, 270.0 / 2000},
      {"[Needle_I]", "電流 A", 660, 620, 50, 1000, 0, 270.0 / 1000},
  };
  return list;
}

struct Bar {
  const char* key;
  const char* label;
  int left;
  double one;  // pixels per unit
  const char* colour;
};
constexpr int BarWidth = 18, BarHeight = 90;
// Bars slide up from the bottom edge of the surface, so their unused length
// stays out of sight.
constexpr int BarZero = SurfaceHeight;
inline const std::vector<Bar>& bars() {
  static const std::vector<Bar> list = {
      {"[Needle_BC_L]", "BC", 240, 80.0 / 800, "#e04040"},
      {"[Needle_MR_L]", "MR", 270, 80.0 / 1000, "#40a0e0"},
      {"[Needle_Ip_L]", "力行", 300, 80.0 / 600, "#40d040"},
      {"[Needle_Ib_L]", "制動", 300, 80.0 / 600, "#e0a020"},
  };
  return list;
}

struct LampSpot {
  const char* key;
  const char* label;
  const char* colour;
};
constexpr int LampWidth = 48, LampHeight = 22;
inline const std::vector<LampSpot>& lamps() {
  static const std::vector<LampSpot> list = {
      {"[Lamp_Door]", "戸閉", "#ffcc30"},   {"[Lamp_Power]", "力行", "#40ff60"},  {"[Lamp_EB]", "EB", "#ff4040"},
      {"[Lamp_Gen]", "回生", "#40c0ff"},    {"[Lamp_Air]", "空制", "#ffffff"},    {"[Lamp_Fin]", "終了", "#ffa040"},
      {"[Lamp_Ele]", "電制", "#40c0ff"},    {"[Lamp_Ats1]", "ATS", "#ff4040"},    {"[Lamp_Ats2]", "ATS2", "#ff8040"},
      {"[Lamp_Ats3]", "ATS3", "#ffc040"},   {"[Lamp_TASC1]", "TASC", "#80ff80"},  {"[Lamp_TASC2]", "TASC2", "#80ff80"},
      {"[Lamp_TASC3]", "TASC3", "#80ff80"}, {"[Lamp_ATSP1]", "P接近", "#ffcc30"}, {"[Lamp_ATSP2]", "Pブレ", "#ff6030"},
      {"[Lamp_G]", "G", "#40ff60"},         {"[Lamp_YG]", "YG", "#c0ff40"},       {"[Lamp_Y]", "Y", "#ffcc30"},
      {"[Lamp_YY]", "YY", "#ffa030"},       {"[Lamp_R]", "R", "#ff3030"},         {"[Lamp_Fwd]", "前", "#ffffff"},
      {"[Lamp_Back]", "後", "#ffffff"},     {"[Lamp_Const]", "定速", "#40ff60"},  {"[Lamp_Stop]", "停車", "#ff4040"},
  };
  return list;
}
// Lamp i sits in one of two rows at the top of the panel.
inline int lampLeft(int i) { return 12 + (i % 15) * 52; }
inline int lampTop(int i) { return PanelTop + 8 + (i / 15) * 28; }

// Pattern strips: indicator cells side by side.
constexpr int NotchCellWidth = 110, NotchCellHeight = 26;
constexpr int NotchPLeft = 400, NotchBLeft = 520, NotchTop = 712, Notch2Top = 744;
constexpr int DigiLeft = 82, DigiTop = 592, DigiWidth = 96, DigiHeight = 36, DigiColumns = 20;
constexpr int SignalLampLeft = 660, SignalLampTop = 712, SignalLampWidth = 60, SignalLampHeight = 26;
constexpr int GearLeft = 640, GearTop = 744, GearWidth = 70, GearHeight = 26;
constexpr int LeverLeft = 730, LeverTop = 700, LeverSize = 60;
constexpr int MonitorLeft = 650, MonitorTop = 200, MonitorWidth = 140, MonitorHeight = 80, MonitorCells = 4;
}  // namespace cab_layout

// What a vehicle's panel shows besides the common parts.
struct PanelLook {
  std::string folder;  // "cab\\E231" — where this vehicle's own pictures go
  std::string title;   // name printed on the desk
  int maxSpeed = 120;  // speedometer scale end
  int power = 4;       // notches
  int brake = 8;       // brake positions incl. EB
  bool holdBack = false;
  bool airBrake = false;  // named positions of the automatic brake
  bool diesel = false;
  std::vector<int> signalSpeeds;  // cab-signal lamp frames
};

}  // namespace cab::demo
