#include "core/input/key_actions.h"

#include "core/shell/drive.h"
#include "core/vehicle/doors.h"

namespace cab {

void vigilanceKey(Drive&) {}
// Only the driver of a one-man train works the doors.
void doorKey(Drive& d) {
  if (d.doorSpec.oneMan) Door_operate(d.train, d.operation, d.doorSpec, *d.sound);
}
void atsResetKey(Drive&) {}
void atsConfirmKey(Drive&) {}
void announcementKey(Drive&) {}
void announcementBackKey(Drive&) {}
void hornKey(Drive&, int) {}
void gearLeverKey(Drive& d, int position) { d.train.gearLever = position; }
void callOutKey(Drive&) {}
void referenceDistanceKey(Drive&) {}
void panelShiftKey(Drive&, int) {}
void engineStartStopKey(Drive& d, int request) { d.train.startStopRequest = request; }
void signalJumpKey(Drive&) {}
void valueDisplayKey(Drive&) {}
// Page Up chooses side 0, Page Down side 1: the door text names it and the
// second door-side lamp shows side 1.
void doorSideKey(Drive& d, int side) {
  if (d.train.doorsOpen) return;
  d.train.doorSide = side;
  if (side == 0 && d.route.OneMan2 != 1) return;
  d.operation.display.doorText = d.strings.Doors[side == 0 ? 0 : 1];
  d.operation.lamps.others[1] = side == 1;
}

}  // namespace cab
