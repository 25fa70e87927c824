#pragma once

namespace cab {

class Drive;

// The drive's side of the track-side events: their tick steps, which also
// hand the physics the gradient and the tunnel, and their part of the drive
// start and of the station jump.
bool gradientStep(Drive& d);
bool trafficLightsStep(Drive& d);
bool signsAndCrossingsStep(Drive& d);
bool tunnelsStep(Drive& d);
void startTrackEvents(Drive& d);
// After the jump has put the train at its station's frame.
void jumpTrackEvents(Drive& d);

}  // namespace cab
