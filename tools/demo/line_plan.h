#pragma once
#include <string>
#include <vector>

namespace cab::demo {

// One stretch of the recording-speed table: the camera's speed changes
// linearly from speedStart at frameStart to speedEnd at frameEnd.
struct SpeedUnitRow {
  int frameStart = 0;
  int frameEnd = 0;
  double speedStart = 0;
  double speedEnd = 0;
};

struct PlannedStation {
  std::string name;
  int trntype = 0;       // 0 stop, 1 pass, 2 stop without doors, 3 special
  double gapMetres = 0;  // distance from the previous station's stopping point
  int dwellSeconds = 0;  // how long the camera stands (stopping stations)
  double metres = 0;     // computed: distance of the stopping point
  int frame = 0;         // computed: frame of the stopping point
  int departFrame = 0;   // computed: last standing frame
};

struct Span {
  double from = 0;  // metres
  double to = 0;
  double value = 0;  // curvature (1/m, + to the right), gradient (per mille), ...
};

// A fictional line as the camera ran along it: stations, scenery and the
// speed profile that the recording-speed table and the video share.
struct LinePlan {
  std::string videoName;  // base name of the main video
  int fps = 30;
  double cruiseKmh = 70;
  double accel = 2.5;  // km/h/s
  double decel = 3.0;  // km/h/s
  std::vector<PlannedStation> stations;
  bool electrified = true;  // catenary masts and wires along the line
  bool dusk = false;        // recorded in the evening: low sun, lit windows
  std::vector<Span> tunnels;
  std::vector<Span> bridges;  // value 1: a through truss, 0: a deck girder over a river
  std::vector<Span> curves;
  std::vector<Span> slopes;
  std::vector<double> crossings;    // metres
  std::vector<double> points;       // metres of turnouts
  std::vector<SpeedUnitRow> units;  // computed
  int frameCount = 0;               // computed: frames of the video

  // Builds the speed profile and the stations' frames; call once.
  void build();
  // Distance in metres of a frame, the way the route's frame-to-distance
  // conversion measures it (unrounded).
  double metresAt(double frame) const;
  double kmhAt(double frame) const;
  // The first frame at or beyond a distance.
  int frameAt(double metres) const;
  double lengthMetres() const { return metresAt(frameCount - 1); }
  double curvatureAt(double metres) const;
  double heightAt(double metres) const;  // track height from the gradients
  // The camera's heading in radians (right positive) from the curvature so far.
  double headingAt(double metres) const;
};

// The two lines of the demo.
LinePlan eastLine();
LinePlan westLine();

}  // namespace cab::demo
