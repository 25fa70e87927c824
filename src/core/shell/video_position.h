#pragma once

namespace cab {

struct TrainState;

// Advances the train's position in the route video by the distance run in
// one frame: speed units accumulate until they make whole video frames of the
// current stretch (`filmSpeed` units a frame). `videoFrameRate` is the
// recording's frames per second.
void advanceVideoPosition(TrainState& train, int videoFrameRate, long double frameMs);

// Vertical shift of the cab panel for the current sway, in pixels.
int swayOffset(long double viewSway);

}  // namespace cab
