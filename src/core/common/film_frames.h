#pragma once

namespace cab {

// Advances a position in the route video by the distance run in one frame:
// speed units accumulate until they make whole video frames of the current
// stretch (`filmSpeed` units a frame); a stretch without a recording speed
// (0) moves two frames per unit, and a negative one does not move. The
// driven train and the preceding train both move through the video this way.
// `videoFrameRate` is the recording's frames per second.
void advanceFilmFrames(int& frame, int& accumulator, long double speed, int filmSpeed, int videoFrameRate,
                       long double frameMs);

}  // namespace cab
