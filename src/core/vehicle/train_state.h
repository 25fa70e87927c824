#pragma once

#include <string>

#include "core/common/fixed4.h"

namespace cab {

// The one record of the driven train's dynamic state: controls and their
// effective commands, motion, forces, masses, pressures, doors, and the
// train's position in the route video.
struct TrainState {
  // Controls and effective commands.
  int reverser = 1;
  int powerHandle = 0;
  int brakeHandle = 0;
  int powerNotch = 0;
  int brakeCommand = 0;
  int sapCommand = 0;
  int elecBrakeCommand = 0;

  // Motion and forces.
  long double speed = 0;
  Fixed4 tractiveForce;
  Fixed4 resistForce;
  Fixed4 trainMass;
  Fixed4 motorMass;
  Fixed4 trailerMass;
  long double position = 0;  // cm from the start of the route video
  long double viewSway = 0.5;
  long double prevAccel = 0;

  // Pressures (kPa) and load-compensated brake limits.
  Fixed4 mrPressure;
  Fixed4 erPressure;
  long double bpPressure = 0;
  Fixed4 sapPressure;
  Fixed4 bcTrailer;
  Fixed4 bcMotor;
  int serviceMaxBc = 0;
  int emergencyBc = 0;
  int sapMax = 0;

  // Doors: open, the last request of Door_operate (true = open) and the
  // side chosen with Page Up / Page Down.
  bool doorsOpen = false;
  bool doorRequest = false;
  int doorSide = 0;

  // Position in the route video.
  int frame = 0;
  int prevFrame = 0;
  int frameAccumulator = 0;  // speed units not yet turned into whole frames
  int filmSpeed = 0;         // speed units per video frame of the current stretch

  // Engine start/stop and the diesel gearbox.
  int engineRunning = 1;  // 1 running, 0 stopped, -1 cranking, -2 stopping
  int gear = 0;           // gear in use, 0 neutral
  int gearLever = 1;      // gear wanted
  int clutchOut = 0;      // 0 engaged, 1 changing to gearLever, 2 changing to neutral
  int shiftElapsed = 0;   // ms since the clutch opened
  long double engineRpm = 0;
  long double engineRpmTarget = 0;
  int startStopRequest = 0;  // 0 none, 1 start key held, 2 stop key held
  int startStopHeld = 0;     // ticks the request has been held
};

}  // namespace cab
