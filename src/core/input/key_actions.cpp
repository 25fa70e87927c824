#include "core/input/key_actions.h"

namespace cab {

void vigilanceKey(Drive&) {}
void doorKey(Drive&) {}
void atsResetKey(Drive&) {}
void atsConfirmKey(Drive&) {}
void announcementKey(Drive&) {}
void announcementBackKey(Drive&) {}
void hornKey(Drive&, int) {}
void gearLeverKey(Drive&, int) {}
void callOutKey(Drive&) {}
void referenceDistanceKey(Drive&) {}
void panelShiftKey(Drive&, int) {}
void engineStartStopKey(Drive&, int) {}
void signalJumpKey(Drive&) {}
void valueDisplayKey(Drive&) {}
void doorSideKey(Drive&, int) {}

}  // namespace cab
