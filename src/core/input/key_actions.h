#pragma once

namespace cab {

class Drive;

// Key actions whose behaviour belongs to the doors, the train protection,
// the call-outs and announcements, the horns, the engine, the value display
// and the cab panel. The keyboard handlers route the keys here; each body is
// filled where its subsystem lives.

// Any character but Enter, while the vigilance device has not tripped.
void vigilanceKey(Drive& drive);
// "d", "7": open or close the doors.
void doorKey(Drive& drive);
// "r": reset the train protection after its brake.
void atsResetKey(Drive& drive);
// Space: acknowledge the train-protection alarm.
void atsConfirmKey(Drive& drive);
// "c", "1": the next manual announcement; "-": stop it and step back.
void announcementKey(Drive& drive);
void announcementBackKey(Drive& drive);
// "3", "6": the horns (1 and 2), sounding while held or restarted.
void hornKey(Drive& drive, int horn);
// "w", "x", "s" on a manual-gearbox diesel: the gear lever to 2, 1, 0.
void gearLeverKey(Drive& drive, int position);
// Enter: call out the current signal, sign or station event.
void callOutKey(Drive& drive);
// Backspace: remember the remaining distance as the reference distance.
void referenceDistanceKey(Drive& drive);
// Shift+Up / Shift+Down: move the cab panel by `dy` pixels.
void panelShiftKey(Drive& drive, int dy);
// F2 (start, 1) and Shift+F2 (stop, 2) held; released (0).
void engineStartStopKey(Drive& drive, int request);
// Shift+F3: jump to just before the next signal.
void signalJumpKey(Drive& drive);
// F3: show or hide the value display.
void valueDisplayKey(Drive& drive);
// Page Up / Page Down: the door side 0 / 1.
void doorSideKey(Drive& drive, int side);

}  // namespace cab
