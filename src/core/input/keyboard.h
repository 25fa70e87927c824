#pragma once

namespace cab {

class Drive;

// The keyboard and mouse-wheel handlers of the driving window. Every input
// device ends in these: characters for the driving keys, virtual-key codes
// for the others.
void AsciiDown(Drive& drive, char key);
void keydowns(Drive& drive, int keyCode, bool shift);
void keyups(Drive& drive, int keyCode);
void WheelD(Drive& drive);
void WheelU(Drive& drive);

}  // namespace cab
