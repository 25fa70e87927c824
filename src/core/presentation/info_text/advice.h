#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/data/route_records.h"

namespace cab {

// What the train protection tells the advice: its power, brake demands, bell
// and pattern state, the vigilance counter and the alarm chime.
struct ProtectionAdvice {
  bool powerOn = true;
  bool emergency = false;
  bool serviceBrake = false;  // the pattern brake
  bool alarm = false;         // the bell is ringing
  int patternState = 0;
  int vigilanceTicks = 0;
  int alarmTimeSeconds = 0;   // "[ATS_Time]"
  bool chimePlaying = false;  // the "[Sound_Ats2]" sound
};

// The train and route state the advice looks at.
struct AdviceInputs {
  long double speed = 0;  // km/h
  int frame = 0;
  int powerHandle = 0;
  bool doorsOpen = false;
  int doorSide = 0;  // the door side selected with Page Up (0) and Page Down (1)
  bool oneMan = false;
  int videoSwitchState = 0;
  int atsOption = 0;                  // the "ATS" display option
  std::optional<int> firstMovieStop;  // frame
  ProtectionAdvice protection;
  int shownSignalImage = 999;
  long double remainingDistance = 0;  // cm
  bool engineStopped = false;
};

// The advice on what the driver is doing: empty for none, otherwise "0"
// followed by the advice text (just "0" at a one-man stop with the right door
// side chosen). Later rules override earlier ones; an engine stall overrides
// everything. `inZone` holds the stations' stop-zone flags, `infoLabels` the
// settings file's "[InfoLabel]" texts.
std::string adviceResult(const AdviceInputs& in, std::span<const StationData> stations, const std::vector<bool>& inZone,
                         std::span<const std::string> infoLabels);

}  // namespace cab
