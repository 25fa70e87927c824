#pragma once

#include <string>

#include "core/common/fixed4.h"

namespace cab {

// Pictures of the controller positions the cab panel shows: the frame each
// notch-indicator image should show and whether it is visible, and the two
// reverser lamps. The panel applies them to its sprites (a frame beyond a
// picture's pattern count is left unset there).
struct NotchIndicators {
  int powerFrame = 0;
  bool powerVisible = true;
  int brakeFrame = 0;
  int power2Frame = 0;
  bool power2Visible = true;
  int brake2Frame = 0;
  // The second brake picture shows its last (1) or second-to-last (2)
  // pattern while a protection brake acts; 0 uses brake2Frame.
  int brake2FromEnd = 0;
  bool forwardLamp = false;
  bool reverseLamp = false;
};

// The one record of the driven train's dynamic state: controls and their
// effective commands, motion, forces, masses, pressures, doors, and the
// train's position in the route video.
struct TrainState {
  // Handles.
  int reverser = 1;
  int powerHandle = 0;
  int brakeHandle = 0;

  // Effective commands, following the handles after their delays.
  int powerNotch = 0;
  int brakeCommand = 0;
  int sapCommand = 0;
  int elecBrakeCommand = 0;
  bool powerDelayPending = false;
  bool brakeDelayPending = false;
  bool sapDelayPending = false;
  bool elecBrakeDelayPending = false;
  int powerDelayElapsed = 0;  // ms
  int brakeDelayElapsed = 0;
  int sapDelayElapsed = 0;
  int elecBrakeDelayElapsed = 0;

  // Hold-back (抑速), constant speed (定速), hold-back steps, power mode.
  bool holdBack = false;
  bool holdBackStepLock = false;
  int constSpeed = 0;
  int suppressStep = 0;
  int powerMode = 0;

  // Controller texts and pictures.
  std::string reverserText, powerText, brakeText, modeText;
  NotchIndicators indicators;

  // Motion and forces.
  long double speed = 0;  // km/h, negative while moving backwards
  Fixed4 tractiveForce;   // N
  Fixed4 motorForce;
  Fixed4 motorForceAfterDelay;
  Fixed4 resistForce;
  Fixed4 adhesion;
  Fixed4 adhesionLimit;
  std::string adhesionLabel;
  Fixed4 predictedSpeed;
  long double motorAccel = 0;  // km/h/s
  long double netAccel = 0;
  Fixed4 trainMass;  // t
  Fixed4 motorMass;
  Fixed4 trailerMass;

  // Resistor-controlled traction and the ammeter.
  int motorCurrent = 0;  // A
  int resistorStep = 0;
  bool resistorStepPending = false;
  int resistorStepElapsed = 0;
  bool resistorStepChanged = false;
  int currentLimitBoost = 0;  // A, raised while the driver holds the boost key
  int ammeterTarget = 0;
  int ammeter = 0;

  // Distance and clock.
  long double stepDistance = 0;        // cm
  long double position = 0;            // cm from the start of the route video
  long double videoTickRemainder = 0;  // ms not yet counted into the clock

  // Cab-view sway.
  long double viewSway = 0.5;
  long double viewSwayVelocity = 0;
  long double prevAccel = 0;

  // Driver aids: automatic running follows the film speed; speed hold
  // freezes the speed.
  bool autoRunning = false;
  bool speedHold = false;

  // Brakes: pressures in kPa and the load-compensated limits.
  Fixed4 mrPressure;
  Fixed4 erPressure;
  long double bpPressure = 0;
  long double bpTarget = 0;
  Fixed4 sapPressure;
  Fixed4 bcTrailer;
  Fixed4 bcMotor;
  int serviceMaxBc = 0;
  int emergencyBc = 0;
  int sapMax = 0;
  long double elecBrakeCurrent = 0;  // A
  long double elecBrakeDecel = 0;    // km/h/s, negative
  int dynBrakeStep = 0;
  Fixed4 brakeShoeRatio;
  Fixed4 brakeForce;  // N, never negative
  bool compressorRunning = false;

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
  int filmSpeedRow = -1;     // the "[SpeedUnit]" row of the last physics step, -1 none

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
