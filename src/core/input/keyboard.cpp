#include "core/input/keyboard.h"

#include <cmath>

#include "core/input/key_actions.h"
#include "core/input/key_codes.h"
#include "core/shell/drive.h"
#include "core/vehicle/handle_operations.h"
#include "core/vehicle/handle_sounds.h"
#include "core/vehicle/masconupdate.h"
#include "core/vehicle/protection_flags.h"

namespace cab {

namespace {

constexpr int ScrollLock = 0x91;
constexpr int fKey(int n) { return vk::F1 + n - 1; }

// The handle keys. Returns true when the key moved (or tried to move) a
// handle; the pending delay flags are then set.
bool handleKey(Drive& d, char key) {
  TrainState& t = d.train;
  const VehicleSpec& v = d.vehicle;
  const bool oneHandle = v.Handle == 0;
  const bool twoHandles = v.Handle == 1;
  switch (key) {
    case 'f':
      SetReverser(t, v, *d.sound, 1);
      return false;
    case 'b':
      SetReverser(t, v, *d.sound, -1);
      return false;
    case 'n':
      SetReverser(t, v, *d.sound, 0);
      return false;
    case '8':
      oneHandleTowardPower(t, v);
      break;
    case '2':
      oneHandleTowardBrake(t, v);
      break;
    case '5':
      AllNeutral(t);
      break;
    case '0':
      Emergency(t, v);
      break;
    case 'z':
      if (oneHandle) {
        oneHandleTowardPower(t, v);
        break;
      }
      if (!twoHandles) return false;
      PowerUp(t, v);
      t.suppressStep = 0;
      setPowerPending(t);
      return true;
    case 'a':
      if (oneHandle) {
        oneHandleTowardBrake(t, v);
        break;
      }
      if (!twoHandles) return false;
      PowerDown(t, v);
      setPowerPending(t);
      return true;
    case 'q':
      if (!oneHandle) return false;
      Emergency(t, v);
      break;
    case ',':
    case '.':
    case '/':
      if (!twoHandles) return false;
      if (key == ',')
        BrakeDown(t, v);
      else if (key == '.')
        BrakeUp(t, v);
      else
        brakeHandleEmergency(t, v);
      setBrakePending(t);
      return true;
    default:
      return false;
  }
  setAllPending(t);
  return true;
}

void otherKey(Drive& d, char key) {
  TrainState& t = d.train;
  const VehicleSpec& v = d.vehicle;
  const bool electricWithSuppress = v.Engine_Type == 1 && v.SuppressCount > 0;
  const bool manualDiesel = v.Engine_Type == 0 && v.Gear_Type == 1;
  switch (key) {
    case '3':
      hornKey(d, 1);
      break;
    case '6':
      hornKey(d, 2);
      break;
    case '9':
      if (d.sound->isPlaying(v.Sound_Horn3))
        d.sound->stop(v.Sound_Horn3);
      else
        d.sound->loop(v.Sound_Horn3);
      break;
    case 'd':
    case '7':
      doorKey(d);
      break;
    case 'r':
      atsResetKey(d);
      break;
    case ' ':
      atsConfirmKey(d);
      break;
    case 'c':
    case '1':
      announcementKey(d);
      break;
    case '-':
      announcementBackKey(d);
      break;
    case 't':
      constSpeedKey(t, v);
      break;
    case 'w':
      if (manualDiesel) gearLeverKey(d, 2);
      break;
    case 'x':
      if (manualDiesel)
        gearLeverKey(d, 1);
      else if (electricWithSuppress)
        suppressStepUp(t, v);
      break;
    case 's':
      if (manualDiesel)
        gearLeverKey(d, 0);
      else if (electricWithSuppress)
        suppressStepDown(t);
      break;
    default:
      break;
  }
}

void update(Drive& d) { masconupdate(d.train, d.vehicle, d.strings, protectionFlags(d.operation)); }

}  // namespace

void AsciiDown(Drive& drive, char key) {
  if (key != '\r' && drive.operation.ebDeviceTrip == 0) vigilanceKey(drive);
  if (drive.keyboard.keySwap) {
    if (key == '2')
      key = '8';
    else if (key == '8')
      key = '2';
  }
  // Until the drive has started every character is ignored.
  if (drive.inputLocked == 1) return;
  if (handleKey(drive, key)) update(drive);
  otherKey(drive, key);
  update(drive);
  PlayHandleSounds(drive.train, drive.vehicle, protectionFlags(drive.operation), *drive.sound);
}

void keydowns(Drive& drive, int keyCode, bool shift) {
  drive.keys.press(keyCode);
  TrainState& t = drive.train;
  int& clock = drive.operation.clock;
  // The Shift+F5 … Shift+F10 keys step the clock and, from F8 down, the video.
  auto jump = [&](int ticks, int frames) {
    clock += ticks;
    t.frame += frames;
  };
  switch (keyCode) {
    case vk::Back:
      referenceDistanceKey(drive);
      break;
    case ScrollLock:
      drive.keyboard.keySwap = !drive.keyboard.keySwap;
      break;
    case vk::Up:
      if (shift) panelShiftKey(drive, -50);
      break;
    case vk::Down:
      if (shift) panelShiftKey(drive, 50);
      break;
    case vk::Enter:
      callOutKey(drive);
      break;
    case fKey(1):
      t.autoRunning = shift;
      break;
    case fKey(2):
      engineStartStopKey(drive, shift ? 2 : 1);
      break;
    case fKey(3):
      if (shift) signalJumpKey(drive);
      valueDisplayKey(drive);
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
      doorSideKey(drive, 0);
      break;
    case vk::PageDown:
      doorSideKey(drive, 1);
      break;
    default:
      break;
  }
}

void keyups(Drive& drive, int keyCode) {
  drive.keys.release(keyCode);
  if (keyCode == fKey(2)) engineStartStopKey(drive, 0);
  if (keyCode == fKey(4)) drive.train.currentLimitBoost = 0;
}

// The wheel posts characters, so it follows the key swap: down toward power,
// up toward brake, and from the last service step to EB.
void WheelD(Drive& drive) { AsciiDown(drive, '8'); }

void WheelU(Drive& drive) { AsciiDown(drive, drive.train.brakeHandle == -drive.vehicle.Brake + 1 ? '0' : '2'); }

}  // namespace cab
