#pragma once

namespace cab {

class Drive;

// The drive's side of the call-outs and announcements: their tick steps,
// the events that raise call-outs (station events, the closed doors, the
// departure, the call-out and announcement keys) and their part of the
// station jump.
bool overrunAnnouncementStep(Drive& d);
bool approachAnnouncementsStep(Drive& d);
bool stopRequestLampStep(Drive& d);
bool calloutQueueStep(Drive& d);
// Before the station rules: the announcement after an overrun once the
// train has been brought back into the zone.
void overrunFollowUpStep(Drive& d);
// Station call-out event e of the station whose zone was entered last.
void stationCallout(Drive& d, int e);
// The doors have closed: call-out 19 and station event 3.
void doorsClosedCallouts(Drive& d);
// After a controller update: the departure's call-outs at the first power.
void departureCallout(Drive& d);
// Enter.
void calloutKeyDown(Drive& d);
// "c" and "1" play the next manual announcement, "-" steps back.
void announcementKey(Drive& d, char key);
// The jump starts with no call-out waiting.
void jumpCallouts(Drive& d);

}  // namespace cab
