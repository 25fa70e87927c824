#pragma once

#include <array>
#include <string>

#include "core/common/fixed4.h"
#include "core/data/cab_layout.h"

namespace cab {

// One running sound: four speed points with the playback-rate factor and the
// volume at each.
struct MotorSoundData {
  std::string index;  // sound file, relative to the vehicle directory
  int kagen = 0;
  long double Speed1 = 0, Speed2 = 0, Speed3 = 0, Speed4 = 0;
  long double Rate1 = 0, Rate2 = 0, Rate3 = 0, Rate4 = 0;
  long double Volume1 = 0, Volume2 = 0, Volume3 = 0, Volume4 = 0;
};

// One gear-change (変速) sound.
struct HensokuSoundData {
  std::string index;  // sound file, relative to the vehicle directory
  int kagen = 0;
  int gear = 0;
  long double StartSpeed = 0, EndSpeed = 0, StartRate = 0, EndRate = 0, StartVolume = 0, EndVolume = 0;
};

// The traction curve of one power notch (km/h/s, km/h).
struct NotchRow {
  double a0 = 0;  // at standstill; <= 0 makes a constant-acceleration row between v1 and v2
  double a1 = 0;  // at v1
  int v1 = 0;     // end of the first region
  int v2 = 0;     // end of the constant-power region
  double e = 0;   // exponent of the speed in the third region
  int mode = 0;   // power mode of the notch
};

// A resistor step of current-controlled traction.
struct CurrentPRow {
  int notch = 0;
  long double c = 0;
  long double v0 = 0;
  int delay = 0;  // ms
  int sound = 0;  // channel of the step sound
};

// A step of the resistor dynamic brake: current = (|v| - b) / a.
struct CurrentBRow {
  long double a = 0;
  long double b = 0;
  int unused = 0;
};

// Tractive effort of one diesel gear: speeds s0..s2 (km/h), efforts f0..f2 (kgf) at full power.
struct EngineRow {
  int s0 = 0, s1 = 0, s2 = 0;
  double f0 = 0, f1 = 0, f2 = 0;
};

// Engine speed of one gear: base rpm plus rpm per km/h.
struct EngineRateRow {
  int baseRpm = 0;
  long double rpmPerKmh = 0;
};

struct SwitchSoundRow {
  int channel = 0;
  int upperSpeed = 0;  // km/h
  int switchType = 0;
};

struct PowerModeRow {
  std::string first;
  std::string second;
};

// Two sound channels of one handle step.
struct SoundPair {
  int first = 0;
  int second = 0;
};

// Everything a vehicle file holds. Values of missing keys stay 0 or empty.
struct VehicleSpec {
  static constexpr int HandleSoundCapacity = 11;
  static constexpr int SwitchSoundCapacity = 501;
  static constexpr int EngineRateCapacity = 9;
  static constexpr int NotchCapacity = 11;
  static constexpr int NotchModeCapacity = 10;
  static constexpr int CurrentPCapacity = 100;
  static constexpr int BrakeCurrCapacity = 10;
  static constexpr int CurrentBCapacity = 100;
  static constexpr int EngineCapacity = 11;
  static constexpr int PowerModeCapacity = 10;
  static constexpr int SuppressCapacity = 10;
  static constexpr int EngineSoundCapacity = 100;
  static constexpr int DriveSoundCapacity = 501;

  // Running gear and brakes, in the file's scan order.
  int Handle = 0;
  int BrakeType = 0;
  int BrakeType2 = 0;
  int Brake = 0;
  int Power = 0;
  int NotchBack = 0;
  int Hold = 0;
  int Pull = 0;
  int ConstNotch = 0;
  int ConstMinSpeed = 0;
  int Back = 0;
  int InterLock = 0;
  std::array<Fixed4, 3> BrakeRate{};
  long double BrakeRate2 = 0;
  int PowerDelay = 0;
  int BrakeDelay = 0;
  int EBrakeDelay = 0;
  int PowerJerk = 0;
  int SAPDelay = 0;
  int BrakeUp = 0;
  int BrakeDown = 0;
  int SAPUp = 0;
  int SAPDown = 0;
  std::array<int, 2> AmMeter{};
  int EBrakeUp = 0;
  int EBrakeDown = 0;
  int EBrakeCurr = 0;
  long double EBrakeCurr2 = 0;
  int BPReturn = 0;
  int MAXPress = 0;
  long double MAXPressLoad = 0;
  int EBPress = 0;
  long double EBPressLoad = 0;
  int SAPPress = 0;
  long double SAPPressLoad = 0;
  int HighAirPress = 0;
  int LowAirPress = 0;
  int Engine_Type = 0;
  int DoorLock = 0;
  int Power_Type = 0;
  int Brake_Type = 0;
  int DoorType = 0;
  std::array<Fixed4, 2> Tons{};
  std::array<Fixed4, 2> Mt{};
  std::array<Fixed4, 2> Tt{};
  int Cars = 0;
  int Length = 0;
  int EB = 0;
  int MaxSpeed = 0;
  std::array<int, 2> Lose_elec{};
  int ELBR = 0;
  int Mc = 0;
  int ATS_Type = 0;
  int ATS_Alert = 0;
  int ATS_Time = 0;
  int ATS_Cnt = 0;

  // Handle sounds: row i of the brake tables belongs to brake step i + 1
  // ("[Sound_BA]" has one row more); row i of "[Sound_PA]" plays when the
  // handle moves up from notch i, row i of the other two belongs to notch i + 1.
  std::array<SoundPair, HandleSoundCapacity> Sound_BK{}, Sound_BR{}, Sound_BA{};
  std::array<int, HandleSoundCapacity> Sound_PA{}, Sound_PR{}, Sound_PK{};

  // Single sound channels.
  std::array<int, 3> Sound_Rev{};  // forward, reverse, neutral
  std::array<int, 2> Sound_EB{};
  std::array<int, 2> Sound_Apply{};
  int Sound_Ats1 = 0;
  int Sound_Ats2 = 0;
  int Sound_Ats3 = 0;
  int Sound_Atc = 0;
  int Sound_Horn = 0;
  std::array<int, 5> Sound_Horn2{};  // start, two body parts, end, interval
  Fixed4 Sound_Horn2Air;             // kPa of air a held horn uses
  int Sound_Horn3 = 0;
  std::array<int, 5> Sound_Horn4{};
  Fixed4 Sound_Horn4Air;
  int Sound_DoorOpen = 0;
  int Sound_DoorClose = 0;
  std::array<int, 2> Sound_Hasten{};  // chime (looped), end
  std::string KEY4;                   // "H" hasten chime, "B" buzzer
  int Sound_EBring = 0;
  int Sound_squeak = 0;
  int CP_Start = 0;
  int CP_Cnt = 0;
  int CP_End = 0;
  int Stop = 0;
  int Buzzer = 0;
  int DepSign = 0;
  int ATS_Warn = 0;

  // Tables.
  std::array<SwitchSoundRow, SwitchSoundCapacity> SwitchSound{};
  int SwitchSoundCount = 0;
  std::array<EngineRateRow, EngineRateCapacity> EngineRate{};  // row g: gear g
  std::array<NotchRow, NotchCapacity> Notch{};                 // row k - 1: power notch k
  int NotchCount = 0;
  std::array<int, NotchModeCapacity> NotchModeStart{};  // first row of each power mode
  int CurrentPImax = 0;                                 // A
  long double CurrentPaMax = 0;                         // km/h/s
  long double CurrentPvBase = 0;                        // km/h
  std::array<CurrentPRow, CurrentPCapacity> CurrentP{};
  int CurrentPCount = 0;
  std::array<int, BrakeCurrCapacity> BrakeCurr{};  // A, per brake step from 0
  std::array<CurrentBRow, CurrentBCapacity> CurrentB{};
  int CurrentBCount = 0;
  int Gear_Type = 0;                               // 0 automatic, 1 manual gearbox
  std::array<EngineRow, EngineCapacity> Engine{};  // row g: gear g
  int EngineCount = 0;
  std::array<PowerModeRow, PowerModeCapacity> PowerMode{};
  int PowerModeCount = 0;
  std::array<int, SuppressCapacity> Suppress{};  // highest "[CurrentB]" row per hold-back step
  int SuppressCount = 0;
  std::array<MotorSoundData, EngineSoundCapacity> EngineSound1{};
  int EngineSound1Count = 0;
  std::array<int, 4> EngineSound2{};
  std::array<HensokuSoundData, EngineSoundCapacity> EngineSound3{};
  int EngineSound3Count = 0;
  std::array<std::string, DriveSoundCapacity> DriveSound{};
  int DriveSoundCount = 0;

  CabLayout cabLayout;
};

}  // namespace cab
