// The desks of the three demo vehicles. Coordinates are on the cab surface;
// the panel begins at y 450, below the video.
#include <cctype>
#include <cmath>

#include "cab_layout.h"

namespace cab::demo {

int DialSpec::zero() const { return int(std::lround(-135 - from * one())); }

const std::vector<std::string>& otherLabels() {
  static const std::vector<std::string> labels = {"左扉", "右扉", "", "機関", "とまります", "ATS-P", "電源", "ATS電源"};
  return labels;
}

std::string needleFile(const CabDesign& design, const char* key) {
  std::string name;
  for (const char* c = key + 8; *c && *c != ']'; ++c) name += char(std::tolower(static_cast<unsigned char>(*c)));
  return design.folder + "needle_" + name + ".png";
}

namespace {

constexpr const char* White = "#f6f6f2";
constexpr const char* Red = "#ff4636";
constexpr const char* Black = "#1c1c1c";

// Indicator lamps in a row along the top of the desk.
std::vector<LampSpec> lampRow(std::vector<LampSpec> lamps, int step) {
  for (size_t i = 0; i < lamps.size(); ++i) lamps[i].left = 14 + int(i) * step, lamps[i].top = 458;
  return lamps;
}

// The right-hand column: notch indicators, then the reverser lamps below them.
void notchColumn(CabDesign& d, int left) {
  d.notchP = {left, 508};
  d.notchB = {left, 540};
  d.notchP2 = {left, 574};
  d.notchB2 = {left, 590};
  d.lamps.push_back({"[Lamp_Fwd]", "前", "#f0f0f0", left, 612});
  d.lamps.push_back({"[Lamp_Back]", "後", "#f0f0f0", left + 62, 612});
}

}  // namespace

const CabDesign& emuDesign() {
  static const CabDesign d = [] {
    CabDesign d;
    d.folder = "cab\\E231\\";
    d.title = "通勤形電車";
    d.desk = "#30353c", d.face = "#101214", d.marking = "#f0f0ec", d.lampStrip = "#1a1d21";
    d.power = 5, d.brake = 9;
    d.lamps = lampRow({{"[Lamp_Door]", "戸閉", "#ffb030", 0, 0},
                       {"[Lamp_Power]", "力行", "#50e070", 0, 0},
                       {"[Lamp_Gen]", "回生", "#50c8ff", 0, 0},
                       {"[Lamp_Ele]", "主回路", "#a8e4ff", 0, 0},
                       {"[Lamp_Air]", "空制", "#ffe060", 0, 0},
                       {"[Lamp_Const]", "定速", "#60ff80", 0, 0},
                       {"[Lamp_Ats1]", "ATS", "#f4f4f4", 0, 0},
                       {"[Lamp_Ats2]", "ATS動作", "#ff4040", 0, 0},
                       {"[Lamp_Ats3]", "確認", "#ffa030", 0, 0},
                       {"[Lamp_ATSP1]", "P接近", "#ffb030", 0, 0},
                       {"[Lamp_ATSP2]", "P制動", "#ff5030", 0, 0},
                       {"[Lamp_EB]", "EB", "#ff4040", 0, 0},
                       {"[Lamp_Stop]", "停車", "#ff6040", 0, 0}},
                      59);
    d.dials = {{"km/h", 150, 632, 122, 0, 140, 5, 10, 20, {{"[Needle_Speed]", White}}, 120},
               {"kPa", 372, 585, 84, 0, 1000, 50, 100, 200, {{"[Needle_MR]", White}, {"[Needle_BC]", Red}}},
               {"BP kPa", 372, 726, 50, 0, 1000, 100, 200, 500, {{"[Needle_BP]", Red}}},
               {"電流 A", 545, 585, 72, -500, 500, 50, 100, 250, {{"[Needle_I]", White}}}};
    d.digits = {102, 700};
    d.bars = {{"[Needle_BC_L]", "BC", "#e04040", 480, 0.2},
              {"[Needle_MR_L]", "MR", "#40a0e0", 510, 0.1},
              {"[Needle_Ip_L]", "力行", "#40d040", 540, 0.2},
              {"[Needle_Ib_L]", "回生", "#e0a020", 540, -0.2}};
    notchColumn(d, 640);
    d.monitor = {646, 650};
    d.panel2 = {646, 734};
    d.others = {{14, 762}, {82, 762}, {}, {}, {150, 762}, {218, 762}};
    d.plate = {646, 758};
    return d;
  }();
  return d;
}

const CabDesign& resistorCarDesign() {
  static const CabDesign d = [] {
    CabDesign d;
    d.folder = "cab\\R80\\";
    d.title = "旧形電車 80形";
    d.desk = "#6f8a80", d.face = "#f2efe4", d.marking = "#1a1a1a", d.lampStrip = "#3a4842";
    d.power = 4, d.brake = 4, d.holdBack = true, d.airBrake = true;
    d.lamps = lampRow({{"[Lamp_Door]", "戸閉", "#ffb030", 0, 0},
                       {"[Lamp_Power]", "力行", "#50e070", 0, 0},
                       {"[Lamp_Gen]", "発電", "#50c8ff", 0, 0},
                       {"[Lamp_Fin]", "進段", "#ffe060", 0, 0},
                       {"[Lamp_Ats1]", "ATS", "#f4f4f4", 0, 0},
                       {"[Lamp_Ats2]", "ATS動作", "#ff4040", 0, 0},
                       {"[Lamp_Ats3]", "確認", "#ffa030", 0, 0},
                       {"[Lamp_ATSP1]", "P接近", "#ffb030", 0, 0},
                       {"[Lamp_ATSP2]", "P制動", "#ff5030", 0, 0},
                       {"[Lamp_EB]", "EB", "#ff4040", 0, 0},
                       {"[Lamp_Stop]", "停車", "#ff6040", 0, 0}},
                      59);
    d.dials = {{"km/h", 120, 640, 108, 0, 120, 5, 10, 20, {{"[Needle_Speed]", Black}}, 100},
               {"kPa", 318, 572, 70, 0, 1000, 50, 100, 200, {{"[Needle_ER]", Black}, {"[Needle_BP]", Red}}},
               {"kPa", 318, 716, 62, 0, 1000, 50, 100, 500, {{"[Needle_MR]", Black}, {"[Needle_BC]", Red}}},
               {"電流 A", 478, 588, 66, -600, 600, 50, 200, 300, {{"[Needle_I]", Black}}},
               {"電圧 V", 478, 726, 52, 0, 2000, 100, 500, 1000, {{"[Needle_V]", Black}}}};
    notchColumn(d, 600);
    d.panel2 = {600, 690};
    d.others = {{600, 730}, {668, 730}, {}, {}, {736, 730}, {736, 756}, {600, 756}, {668, 756}};
    d.plate = {600, 650};
    return d;
  }();
  return d;
}

const CabDesign& dieselCarDesign() {
  static const CabDesign d = [] {
    CabDesign d;
    d.folder = "cab\\D20\\";
    d.title = "気動車 20形";
    d.desk = "#3a4258", d.face = "#0e1016", d.marking = "#f0f0f0", d.lampStrip = "#1e222c";
    d.power = 4, d.brake = 8, d.diesel = true;
    d.lamps = lampRow({{"[Lamp_Door]", "戸閉", "#ffb030", 0, 0},
                       {"[Lamp_Power]", "力行", "#50e070", 0, 0},
                       {"[Lamp_Air]", "空制", "#ffe060", 0, 0},
                       {"[Lamp_Ats1]", "ATS", "#f4f4f4", 0, 0},
                       {"[Lamp_Ats2]", "ATS動作", "#ff4040", 0, 0},
                       {"[Lamp_Ats3]", "確認", "#ffa030", 0, 0},
                       {"[Lamp_EB]", "EB", "#ff4040", 0, 0},
                       {"[Lamp_Stop]", "停車", "#ff6040", 0, 0}},
                      64);
    d.dials = {{"km/h", 135, 635, 115, 0, 120, 5, 10, 20, {{"[Needle_Speed]", White}}, 95},
               {"kPa", 345, 588, 80, 0, 1000, 50, 100, 200, {{"[Needle_MR]", White}, {"[Needle_BC]", Red}}},
               {"BP kPa", 345, 727, 48, 0, 1000, 100, 200, 500, {{"[Needle_BP]", Red}}}};
    d.digits = {87, 700};
    d.gear = {468, 520};
    d.lever = {478, 562};
    notchColumn(d, 620);
    d.others = {{468, 672}, {536, 672}, {}, {468, 640}, {468, 700}, {}, {468, 732}, {536, 732}};
    d.plate = {620, 650};
    return d;
  }();
  return d;
}

}  // namespace cab::demo
