#pragma once
#include <string>
#include <vector>

#include "line_plan.h"
#include "scene_light.h"

namespace cab::demo {

// Track geometry shared by the ground and the structures (metres).
namespace track {
constexpr double Gauge = 1.067;
constexpr double RailHead = 0.065;
constexpr double RailCentre = Gauge / 2 + RailHead / 2;
constexpr double SleeperHalfLength = 1.0, SleeperWidth = 0.2, SleeperPitch = 0.6;
constexpr double BallastTop = 1.45, BallastFoot = 2.3, Cess = 3.1;
constexpr double PlatformEdge = 1.55, PlatformWidth = 5.0, PlatformHeight = 1.1;
constexpr double PlatformBefore = 170, PlatformAfter = 25;  // metres around the stopping point
constexpr double LoopOffset = 3.8;                          // a passing loop's centre line
}  // namespace track

struct StationSite {
  std::string name, previous, next;
  double stop = 0;  // metres of the stopping point
  int side = -1;    // platform (and door) side: -1 left, +1 right
  bool loop = false;
  double platformFrom() const { return stop - track::PlatformBefore; }
  double platformTo() const { return stop + track::PlatformAfter; }
  // Lateral position of the platform edge, the side it stands on included.
  double edge() const { return side * track::PlatformEdge; }
};

// A second track beside the line: its centre line moves out to `offset`
// over a turnout at each end.
struct SideTrack {
  double from = 0, to = 0, offset = 0;
  double offsetAt(double a) const;
};

struct House {
  double a = 0, u = 0;  // centre of the front face (the end nearer the camera)
  double length = 8, depth = 7, height = 6;
  bool hipped = false;
  Rgb wall, roof;
  int windows = 2;
};

struct Tree {
  double a = 0, u = 0, height = 8;
  int kind = 0;  // TreeSprites kind
};

struct Mast {
  double a = 0, u = 0;  // u: where the mast stands
  double stagger = 0;   // the contact wire's offset from the track centre here
};

// Everything that stands along a line, placed once from its plan with a
// fixed seed: stations, passing loops, houses, trees, catenary masts or
// telegraph poles.
struct LineScenery {
  enum class Zone { Town, Fields, Forest };

  explicit LineScenery(const LinePlan& plan);
  const LinePlan& plan;
  std::vector<StationSite> stations;
  std::vector<SideTrack> sideTracks;
  std::vector<House> houses;  // sorted by a
  std::vector<Tree> trees;    // sorted by a
  std::vector<Mast> masts;    // sorted by a
  std::vector<double> poles;  // telegraph poles of a line without catenary, on the right

  Zone zoneAt(double a) const;
  // The station whose platform lies at a, if any.
  const StationSite* stationAt(double a, double margin = 0) const;
  bool inBridge(double a, double margin = 0) const;
  bool inTunnel(double a, double margin = 0) const;
  bool nearCrossing(double a, double margin) const;
  // The camera at the last frame still sees this far.
  double sceneryEnd() const;

 private:
  void placeStations();
  void placeHouses();
  void placeTrees();
  void placeLineside();
  // Free ground for a building or tree at (a, u) of the given half-size.
  bool clear(double a, double u, double half) const;
};

// A repeatable pseudo-random value in [0, 1) for (n, salt).
double hash01(long n, int salt = 0);

}  // namespace cab::demo
