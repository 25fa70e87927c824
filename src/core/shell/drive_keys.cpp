// The keyboard's handlers: each character and key reaches the subsystem it
// works; a key whose subsystem is not built yet does nothing.
#include "core/input/handle_keys.h"
#include "core/input/key_codes.h"
#include "core/presentation/panel/panel_sway.h"
#include "core/shell/drive.h"
#include "core/shell/drive_callouts.h"
#include "core/shell/drive_protection.h"
#include "core/vehicle/handle_operations.h"
#include "core/vehicle/handle_sounds.h"
#include "core/vehicle/masconupdate.h"

namespace cab {

namespace {

constexpr int fKey(int n) { return vk::F1 + n - 1; }

void otherKey(Drive& d, char key) {
  TrainState& t = d.train;
  const VehicleSpec& v = d.vehicle;
  const bool electricWithSuppress = v.Engine_Type == 1 && v.SuppressCount > 0;
  const bool manualDiesel = v.Engine_Type == 0 && v.Gear_Type == 1;
  switch (key) {
    case '9':
      if (d.sound->isPlaying(v.Sound_Horn3))
        d.sound->stop(v.Sound_Horn3);
      else
        d.sound->loop(v.Sound_Horn3);
      break;
    case 'd':
    case '7':
      // Only the driver of a one-man train works the doors.
      if (d.doorSpec.oneMan) Door_operate(t, d.stationState, d.operation.lamps, d.doorSpec, *d.sound);
      break;
    case 't':
      constSpeedKey(t, v);
      break;
    case 'c':
    case '1':
    case '-':
      announcementKey(d, key);
      break;
    case ' ':
    case 'r':
      protectionKey(d, key);
      break;
    case 'w':
      if (manualDiesel) t.gearLever = 2;
      break;
    case 'x':
      if (manualDiesel)
        t.gearLever = 1;
      else if (electricWithSuppress)
        suppressStepUp(t, v);
      break;
    case 's':
      if (manualDiesel)
        t.gearLever = 0;
      else if (electricWithSuppress)
        suppressStepDown(t);
      break;
    default:
      break;
  }
}

// Page Up chooses side 0, Page Down side 1: the door text names it and the
// second door-side lamp shows side 1.
void doorSideKey(Drive& d, int side) {
  if (d.train.doorsOpen) return;
  d.train.doorSide = side;
  if (side == 0 && d.route.OneMan2 != 1) return;
  d.stationState.display.doorText = d.strings.Doors[side == 0 ? 0 : 1];
  d.operation.lamps.others[1] = side == 1;
}

}  // namespace

void Drive::AsciiDown(char key) {
  // A driver's input keeps the vigilance device quiet, even before the drive starts.
  vigilanceCharacter(*this, key);
  if (keyboard.keySwap) {
    if (key == '2')
      key = '8';
    else if (key == '8')
      key = '2';
  }
  // Until the drive has started every character is ignored.
  if (inputLocked == 1) return;
  if (handleKey(train, vehicle, *sound, key)) masconupdate(train, vehicle, strings, protection.flags());
  otherKey(*this, key);
  masconupdate(train, vehicle, strings, protection.flags());
  departureCallout(*this);
  PlayHandleSounds(train, vehicle, protection.flags(), *sound);
}

void Drive::keydowns(int keyCode, bool shift) {
  keys.press(keyCode);
  TrainState& t = train;
  int& clock = operation.clock;
  // The Shift+F5 … Shift+F10 keys step the clock and, from F8 down, the video.
  auto jump = [&](int ticks, int frames) {
    clock += ticks;
    t.frame += frames;
  };
  switch (keyCode) {
    case vk::Back:
      // Backspace marks the distance left beyond 200 m; the remaining-distance bar counts it down.
      overlays.lengthMark =
          stationState.remainingDistance > 20000 ? static_cast<int>(stationState.remainingDistance) : 0;
      break;
    case vk::ScrollLock:
      keyboard.keySwap = !keyboard.keySwap;
      break;
    case vk::Enter:
      calloutKeyDown(*this);
      break;
    case vk::Up:
      if (shift) shiftCabPanelUp(panelSprites);
      break;
    case vk::Down:
      if (shift) shiftCabPanelDown(panelSprites);
      break;
    case fKey(1):
      t.autoRunning = shift;
      break;
    case fKey(2):
      t.startStopRequest = shift ? 2 : 1;
      break;
    case fKey(4):
      t.currentLimitBoost = 50;
      break;
    case fKey(5):
      if (shift) jump(-90, -100);
      break;
    case fKey(6):
      if (shift) jump(90, 100);
      break;
    case fKey(7):
      if (shift) jump(-900, -1000);
      break;
    case fKey(8):
      if (shift) jump(900, 1000);
      break;
    case fKey(9):
      if (shift) jump(-900, 0);
      break;
    case fKey(10):
      if (shift) jump(900, 0);
      break;
    case fKey(11):
      if (shift && t.speed > 10) t.speed -= 10;
      break;
    case fKey(12):
      if (shift && t.speed < 1000) t.speed += 10;
      break;
    case vk::PageUp:
      doorSideKey(*this, 0);
      break;
    case vk::PageDown:
      doorSideKey(*this, 1);
      break;
    default:
      break;
  }
}

void Drive::keyups(int keyCode) {
  keys.release(keyCode);
  if (keyCode == fKey(2)) train.startStopRequest = 0;
  if (keyCode == fKey(4)) train.currentLimitBoost = 0;
}

// The wheel posts characters, so it follows the key swap: down toward power,
// up toward brake, and from the last service step to EB.
void Drive::WheelD() { AsciiDown('8'); }

void Drive::WheelU() { AsciiDown(train.brakeHandle == -vehicle.Brake + 1 ? '0' : '2'); }

}  // namespace cab
