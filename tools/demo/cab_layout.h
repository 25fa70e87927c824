#pragma once
#include <string>
#include <vector>

namespace cab::demo {

// The cab surface is 800 × 785: the front video fills its top, the vehicle's
// panel picture the rest.
namespace cab_surface {
constexpr int Width = 800, Height = 785;
constexpr int PanelTop = 450;
constexpr int PanelHeight = Height - PanelTop;
}  // namespace cab_surface

// Sizes of the pattern pictures' cells.
namespace cab_cells {
constexpr int NotchWidth = 140, NotchHeight = 28, Notch2Height = 12;
constexpr int DigiWidth = 96, DigiHeight = 36, DigiColumns = 20, DigiFrames = 200;
constexpr int GearWidth = 80, GearHeight = 26, LeverSize = 60;
constexpr int MonitorWidth = 140, MonitorHeight = 80, MonitorCells = 4;
constexpr int OtherWidth = 64, OtherHeight = 20;
constexpr int BarWidth = 16, BarHeight = 100;
}  // namespace cab_cells

struct NeedleSpec {
  const char* key;     // "[Needle_MR]"
  const char* colour;  // "#f4f4f4"
};

// A round gauge; its needles sweep 270° clockwise, from the lower left at
// the scale's start to the lower right at its end.
struct DialSpec {
  std::string label;              // on the face: the unit, after the needles' names on a dial with several
  int cx, cy, radius;             // on the cab surface
  double from, to;                // the scale's ends
  double minor, major, numbered;  // tick spacings and the step of the numbers
  std::vector<NeedleSpec> needles;
  double redFrom = 0;  // a red band from here to the end of the scale; 0 none

  // The vehicle file's angles: degrees clockwise from straight up at value 0, and per unit.
  double one() const { return 270.0 / (to - from); }
  int zero() const;
  double angleOf(double value) const { return zero() + value * one(); }
};

struct LampSpec {
  const char* key;  // "[Lamp_Door]"
  std::string label;
  const char* colour;  // lit colour
  int left, top;
};

// A bar gauge that rises from the surface's bottom edge.
struct BarSpec {
  const char* key;
  std::string label;
  const char* colour;
  int left;
  double one;  // pixels per unit (negative for a value that is negative while shown)
};

struct Place {
  int left = -1, top = -1;
  bool used() const { return left >= 0; }
};

// One vehicle's desk: what it shows and where, and the running-gear facts
// its indicators follow.
struct CabDesign {
  std::string folder;   // "cab\\E231\\": where this vehicle's pictures go
  std::string title;    // the plate on the desk
  const char* desk;     // desk colour
  const char* face;     // dial face colour
  const char* marking;  // dial markings
  const char* lampStrip;
  int power = 4, brake = 8;  // notches; brake positions with the emergency one
  bool holdBack = false, airBrake = false, diesel = false;
  std::vector<DialSpec> dials;
  int lampWidth = 56, lampHeight = 22;
  std::vector<LampSpec> lamps;
  std::vector<BarSpec> bars;
  Place notchP, notchB, notchP2, notchB2, digits, gear, lever, monitor, panel2, plate;
  std::vector<Place> others;  // "[Others]" rows in their order (see otherLabels)
};

// The meaning of the "[Others]" rows: the door-side lamps (0, 1), the engine
// lamp (3), the one-man stop request (4), the pattern-ATS lamp (5) and two
// pilot lamps lit all the time (6, 7). Row 2 is lit by nothing.
const std::vector<std::string>& otherLabels();

const CabDesign& emuDesign();
const CabDesign& resistorCarDesign();
const CabDesign& dieselCarDesign();

// The needle picture a key of a design uses ("cab\\E231\\needle_mr.png").
std::string needleFile(const CabDesign& design, const char* key);

}  // namespace cab::demo
