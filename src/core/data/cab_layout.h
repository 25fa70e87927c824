#pragma once

#include <array>
#include <string>

namespace cab {

// A picture placed on the cab panel; an empty name means the element does not exist.
struct Lamp {
  std::string name;
  int Left = 0;
  int Top = 0;
};

// A gauge: a rotating needle (zero = degrees at value 0, one = degrees per
// unit) or a bar (zero = bar top in pixels at value 0, one = pixels per unit).
// `c` is the speedometer's degrees per km/h below 10 km/h; `sign` the
// ammeter's mode (0 signed, 1 absolute, 2 needle stays at zero).
struct Meter {
  std::string name;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int zero = 0;
  long double one = 0;
  int sign = 0;
  long double c = 0;
};

// A multi-frame picture: frames of patternWidth x patternHeight side by side
// and row by row; the sprite shows one frame at a time.
struct PatternPicture {
  int Left = 0;
  int Top = 0;
  int patternWidth = 0;
  int patternHeight = 0;
  std::string name;
};

// The driver's desk drawn over the front view.
struct CabLayout {
  static constexpr int LampSignalSpeedCapacity = 10;
  static constexpr int OthersCapacity = 11;

  int ClockFlagA = 0;
  int ClockFlagB = 0;
  int ClockHandLength = 0;

  Lamp Panel, Panel2;
  Lamp Lamp_Door, Lamp_Power, Lamp_EB, Lamp_Gen, Lamp_Air, Lamp_Fin, Lamp_Ele, Lamp_Ats1, Lamp_Ats2, Lamp_Ats3,
      Lamp_TASC1, Lamp_TASC2, Lamp_TASC3, Lamp_ATSP1, Lamp_ATSP2;
  Lamp Lamp_G, Lamp_YG, Lamp_Y, Lamp_YY, Lamp_R, Lamp_Fwd, Lamp_Back, Lamp_Const, Lamp_Stop;

  Meter Needle_Brake, Needle_Speed, Needle_BC, Needle_BC_L, Needle_Ip_L, Needle_Ib_L, Needle_SAP, Needle_ER, Needle_BP,
      Needle_MR, Needle_MR_L, Needle_V, Needle_I;

  PatternPicture Lamp_signal, NotchImageP, NotchImageB, NotchImageP2, NotchImageB2, GearImageList, GearImageList2,
      Digi_Speed;

  // The speed (km/h) that each frame of the cab signal shows.
  std::array<int, LampSignalSpeedCapacity> LampSignalSpeeds{};
  int LampSignalSpeedCount = 0;

  std::array<Lamp, OthersCapacity> Others{};
  int OthersCount = 0;
};

}  // namespace cab
