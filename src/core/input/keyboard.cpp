#include "core/input/keyboard.h"

#include "core/shell/drive.h"

namespace cab {

void AsciiDown(Drive& drive, char) {
  // Until the drive has started every character is ignored.
  if (drive.inputLocked == 1) return;
}

void keydowns(Drive& drive, int keyCode, bool) { drive.keys.press(keyCode); }

void keyups(Drive& drive, int keyCode) { drive.keys.release(keyCode); }

void WheelD(Drive&) {}

void WheelU(Drive&) {}

}  // namespace cab
