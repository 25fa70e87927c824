#pragma once

namespace cab {

// The picture of a signal out of view: 12 for any aspect but stop, 0 for stop.
int distantSignalImage(int aspect);

// The picture of a signal in view, by its head type (0 to 9) and aspect (0 to
// 5, 0 to 7 for head type 9). Aspect 5 of head types 7 and 8 has a second
// picture for vehicles faster than 160 km/h ("[MaxSpeed]"). A head type or
// aspect the table has no picture for shows the distant picture.
int signalImage(int headType, int aspect, int maxSpeedKmh);

// The highest picture of the head type's table row (0 for a head type
// without one): the signal picture must have that many patterns and one more.
int largestSignalImage(int headType, int maxSpeedKmh);

}  // namespace cab
