#pragma once

#include <optional>
#include <string>

namespace cab {

class DataDirectory;
struct RouteData;

// Turns the frame positions of the route's tables into distances (cm from the
// start of the video) by the recording speeds of "[SpeedUnit]", fills each
// stretch's `distanceEnd`, and builds the train-protection points sorted by
// position. `frameRate` is the video's frames per second (at least 1). More
// points than the table holds, and a position on a stretch whose two frames
// are equal, are route-file errors.
void ConvertRoutePositions(RouteData& route, int frameRate);

// Reads the "[SpeedUnit]" rows of the route file again (for the value
// display's reload button). Distances keep their values of the load. A
// failure ends the reload quietly with the rows read so far; returns whether
// the whole file was read.
bool ReloadSpeedUnits(RouteData& route, const DataDirectory& data, const std::string& routeFile);

// The recording speed of the stretch that contains `frame` ([frameStart,
// frameEnd)), interpolated along it: the speed units per video frame of the
// frame loop, with the stretch's row and its two ends in cm from the start
// of the video. Nothing when no stretch contains the frame.
struct FilmSpeed {
  int row = 0;
  int filmSpeed = 0;
  long double distanceStart = 0;
  long double distanceEnd = 0;
};
std::optional<FilmSpeed> filmSpeedAt(const RouteData& route, int frame);

}  // namespace cab
