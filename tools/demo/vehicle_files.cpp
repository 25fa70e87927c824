#include "vehicle_files.h"

#include <cmath>
#include <map>
#include <stdexcept>

#include "cab_layout.h"
#include "cab_pictures.h"
#include "data_file.h"
#include "sounds.h"

namespace cab::demo {

namespace {

std::string num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", v);
  return text;
}
std::string num(int v) { return std::to_string(v); }

// The vehicle's "[DriveSound]" list: a sound's channel is its place in it.
// Sounds 0 to 12 are the rail noise of the speed bands 0, 10, …, 120 km/h.
class DriveSounds {
 public:
  DriveSounds() {
    for (int band = 0; band <= 12; ++band) (*this)(railNoiseSound(band));
  }
  int operator()(const std::string& name) {
    auto [it, added] = index_.try_emplace(name, int(files_.size()));
    if (added) files_.push_back("sound\\" + name + ".wav");
    return it->second;
  }
  std::string s(const std::string& name) { return num((*this)(name)); }
  const std::vector<std::string>& files() const { return files_; }

 private:
  std::map<std::string, int> index_;
  std::vector<std::string> files_;
};

struct Running {
  int handle = 1, brakeType = 1, brakeType2 = 1, brake = 9, power = 5, hold = 0;
  int engineType = 1, powerType = 1, brakeTypeElec = 1;
  int maxSpeed = 120, cars = 10, length = 20;
  double tons = 300, mt = 120, tt = 180;
  int atsType = 0;         // 0 the spot type, 1 the pattern type
  bool vigilance = false;  // the vigilance device "[EB]"
};

void writeRunningGear(DataFile& f, const Running& r) {
  f.line("- 列車の基本設定");
  f.key("[Handle]", {num(r.handle)});
  f.key("[BrakeType]", {num(r.brakeType)});
  f.key("[BrakeType2]", {num(r.brakeType2)});
  f.key("[Brake]", {num(r.brake)});
  f.key("[Power]", {num(r.power)});
  f.key("[NotchBack]", {"1"});
  f.key("[Hold]", {num(r.hold)});
  f.key("[Pull]", {r.brakeType == 0 ? "1" : "0"});
  f.key("[Const]", {r.engineType == 1 && r.powerType == 1 ? "1" : "0", "30"});
  f.key("[Back]", {"1"});
  f.key("[InterLock]", {"1"});
  f.key("[BrakeRate]", {r.brakeType == 0 ? "4.0" : "4.5", "4.0", "30"});
  f.key("[BrakeRate2]", {"0.3"});
  f.key("[PowerDelay]", {r.engineType == 0 ? "500" : "200"});
  f.key("[BrakeDelay]", {r.brakeType == 0 ? "1200" : "400"});
  f.key("[EBrakeDelay]", {"300"});
  f.key("[PowerJerk]", {r.engineType == 0 ? "10" : "0"});
  f.key("[SAPDelay]", {"300"});
  f.key("[BrakeUp]", {r.brakeType == 0 ? "120" : "250"});
  f.key("[BrakeDown]", {r.brakeType == 0 ? "80" : "200"});
  f.key("[SAPUp]", {"300"});
  f.key("[SAPDown]", {"250"});
  f.key("[AmMeter]", {"1", r.engineType == 0 ? "0" : "120"});
  f.key("[EBrakeUp]", {"600"});
  f.key("[EBrakeDown]", {"800"});
  f.key("[EBrakeCurr]", {"500", r.brakeType2 == 0 ? ";" : "4.0"});
  f.key("[BPReturn]", {"50"});
  f.key("[MAXPress]", {"390", "1.0"});
  f.key("[EBPress]", {"440", "1.2"});
  f.key("[SAPPress]", {"400", "1.0"});
  f.key("[HighAirPress]", {"880"});
  f.key("[LowAirPress]", {"780"});
  f.key("[Engine_Type]", {num(r.engineType)});
  f.key("[DoorLock]", {"1"});
  f.key("[Power_Type]", {num(r.powerType)});
  f.key("[Brake_Type]", {num(r.brakeTypeElec)});
  f.key("[DoorType]", {"0"});
  f.key("[Tons]", {num(r.tons), num(r.tons / 600)});
  f.key("[Mt]", {num(r.mt), num(r.mt / 600)});
  f.key("[Tt]", {num(r.tt), num(r.tt / 600)});
  f.key("[Cars]", {num(r.cars)});
  f.key("[Length]", {num(r.length)});
  f.key("[EB]", {r.vigilance ? "1" : "0"});
  f.key("[MaxSpeed]", {num(r.maxSpeed)});
  f.key("[Lose_elec]", {"5", r.brakeType2 == 0 ? ";" : "3"});
  f.key("[ELBR]", {"20"});
  f.key("[Mc]", {"1"});
  f.key("[ATS_Type]", {num(r.atsType)});
  f.key("[ATS_Alert]", {"0"});
  f.key("[ATS_Time]", {"5"});
  f.key("[ATS_Cnt]", {"0"});
}

void writeSounds(DataFile& f, const Running& r, DriveSounds& s) {
  // Handle sounds: one row per brake step (one more for the release table)
  // and per power notch.
  std::vector<std::string> bk, br, ba, pa, pr, pk;
  for (int b = 0; b < r.brake; ++b) {
    bk.push_back(s.s("brake_step") + "," + s.s("air_apply"));
    br.push_back(s.s("brake_step") + "," + s.s("air_release"));
  }
  for (int b = 0; b <= r.brake; ++b) ba.push_back(s.s("brake_step") + "," + s.s("air_release"));
  for (int p = 0; p < r.power; ++p) {
    pa.push_back(s.s("notch"));
    pr.push_back(s.s("notch"));
    pk.push_back(s.s("notch"));
  }
  f.key("[Sound_BK]", bk);
  f.key("[Sound_BR]", br);
  f.key("[Sound_BA]", ba);
  f.key("[Sound_PA]", pa);
  f.key("[Sound_PR]", pr);
  f.key("[Sound_PK]", pk);
  f.key("[Sound_Rev]", {s.s("reverser"), s.s("reverser"), s.s("reverser")});
  f.key("[Sound_EB]", {s.s("air_emergency"), ";"});
  f.key("[Sound_Apply]", {s.s("air_apply"), s.s("air_release")});
  f.key("[Sound_Ats1]", {s.s("ats_bell")});
  f.key("[Sound_Ats2]", {s.s("ats_chime")});
  f.key("[Sound_Ats3]", {s.s("ats_beep")});
  f.key("[Sound_Atc]", {s.s("rollback")});
  f.key("[Sound_Horn]", {s.s("horn")});
  // The held horns: start, two body parts, end, the parts' interval (clock
  // units) and the air each frame of blowing takes (kPa).
  f.key("[Sound_Horn2]", {s.s("horn2_start"), s.s("horn2_body1"), s.s("horn2_body2"), s.s("horn2_end"), "15", "2"});
  f.key("[Sound_Horn3]", {s.s("horn3")});
  f.key("[Sound_Horn4]", {s.s("horn_start"), s.s("horn_body1"), s.s("horn_body2"), s.s("horn_end"), "15", "3"});
  f.key("[Sound_DoorOpen]", {s.s("door_open")});
  f.key("[Sound_DoorClose]", {s.s("door_close")});
  f.key("[Sound_Hasten]", {s.s("hasten"), s.s("hasten_end")});
  f.key("[KEY4]", {r.engineType == 0 ? "B" : "H"});
  f.key("[Sound_EBring]", {s.s("eb_alarm")});
  f.key("[Sound_squeak]", {s.s("squeak")});
  f.key("[CP_Start]", {s.s("compressor_start")});
  f.key("[CP_Cnt]", {s.s("compressor")});
  f.key("[CP_End]", {s.s("compressor_end")});
  f.key("[Stop]", {s.s("stop")});
  f.key("[Buzzer]", {s.s("buzzer")});
  f.key("[DepSign]", {s.s("depsign")});
  f.key("[ATS_Warn]", {s.s("ats_warn")});
  // Points: slow and fast sounds for the straight (0) and diverging (1) road.
  f.table("[SwitchSound]", {s.s("points") + ",40,0", s.s("points_fast") + ",200,0", s.s("points") + ",40,1",
                            s.s("points_fast") + ",200,1"});
}

// One running-sound record: file, kind, four speeds (or engine speeds), the
// playback rates and the volumes (percent) at them.
std::vector<std::string> motorSound(const std::string& file, int kagen, std::vector<double> speeds,
                                    std::vector<double> rates, std::vector<double> volumes) {
  std::vector<std::string> lines{"sound\\" + file + ".wav", num(kagen)};
  for (auto* list : {&speeds, &rates, &volumes})
    for (double v : *list) lines.push_back(num(v));
  return lines;
}

void table(DataFile& f, const std::string& key, const std::vector<std::vector<std::string>>& records) {
  f.line(key);
  for (const auto& r : records)
    for (const auto& l : r) f.line(l);
  f.line("#");
}

// The lamp keys in the file's order.
const char* const LampKeys[] = {"[Lamp_Door]",  "[Lamp_Power]", "[Lamp_EB]",    "[Lamp_Gen]",   "[Lamp_Air]",
                                "[Lamp_Fin]",   "[Lamp_Ele]",   "[Lamp_Ats1]",  "[Lamp_Ats2]",  "[Lamp_Ats3]",
                                "[Lamp_TASC1]", "[Lamp_TASC2]", "[Lamp_TASC3]", "[Lamp_ATSP1]", "[Lamp_ATSP2]",
                                "[Lamp_G]",     "[Lamp_YG]",    "[Lamp_Y]",     "[Lamp_YY]",    "[Lamp_R]",
                                "[Lamp_Fwd]",   "[Lamp_Back]",  "[Lamp_Const]", "[Lamp_Stop]"};

// The gauge keys in the file's order, with their remark lines.
const std::pair<const char*, const char*> GaugeKeys[] = {{"[Needle_Brake]", "- ブレーキ指令計"},
                                                         {"[Needle_Speed]", "- 速度計"},
                                                         {"[Needle_BC]", "- BC圧力計"},
                                                         {"[Needle_BC_L]", "- BC圧力計（リニア）"},
                                                         {"[Needle_Ip_L]", "- 力行電流計（リニア）"},
                                                         {"[Needle_Ib_L]", "- 制動電流計（リニア）"},
                                                         {"[Needle_SAP]", "- SAP圧力計"},
                                                         {"[Needle_ER]", "- ER圧力計"},
                                                         {"[Needle_BP]", "- BP圧力計"},
                                                         {"[Needle_MR]", "- MR圧力計"},
                                                         {"[Needle_MR_L]", "- MR圧力計（リニア）"},
                                                         {"[Needle_V]", "- 電圧計"},
                                                         {"[Needle_I]", "- 電流計"}};

void writeGauge(DataFile& f, const CabDesign& d, const std::string& key) {
  for (const auto& dial : d.dials)
    for (const auto& n : dial.needles) {
      if (key != n.key) continue;
      // The needle picture is the dial's size and turns about its centre, the dial's centre.
      const int size = dial.radius * 2;
      std::vector<std::string> lines{
          needleFile(d, n.key), num(dial.cx - size / 2), num(dial.cy - size / 2), num(size), num(size),
          num(dial.zero()),     num(dial.one())};
      if (key == "[Needle_Speed]" || key == "[Needle_I]") lines.push_back("0");  // c: one scale; sign: signed current
      f.key(key, lines);
    }
  for (size_t b = 0; b < d.bars.size(); ++b)
    if (key == d.bars[b].key)
      f.key(key, {cab_files::bar(d, b), num(d.bars[b].left), num(cab_surface::Height), num(d.bars[b].one)});
}

void writeCab(DataFile& f, const CabDesign& d) {
  using namespace cab_cells;
  f.line("- アナログ時計");
  f.key("[Clock]", {"0", "0", "40"});
  f.line("- 運転台パネル");
  f.key("[Panel]", {cab_files::panel(d), "0", num(cab_surface::PanelTop)});
  if (d.panel2.used())
    f.key("[Panel2]", {cab_files::panel2(d), num(d.panel2.left), num(d.panel2.top)});
  else
    f.key("[Panel2]", {"", "0", "0"});  // none
  for (const char* key : LampKeys) {
    if (std::string(key) == "[Lamp_Door]") f.line("- 運転台パネル2");
    if (std::string(key) == "[Lamp_G]") f.line("- 運転台パネル3");
    for (size_t i = 0; i < d.lamps.size(); ++i)
      if (key == std::string(d.lamps[i].key))
        f.key(key, {cab_files::lamp(d, i), num(d.lamps[i].left), num(d.lamps[i].top)});
  }
  for (const auto& [key, remark] : GaugeKeys) {
    f.line(remark);
    writeGauge(f, d, key);
  }
  auto pattern = [&](const char* key, Place at, int w, int h, const std::string& file) {
    if (at.used()) f.key(key, {num(at.left), num(at.top), num(w), num(h), file});
  };
  pattern("[NotchImageP]", d.notchP, NotchWidth, NotchHeight, cab_files::notch(d, "p"));
  pattern("[NotchImageB]", d.notchB, NotchWidth, NotchHeight, cab_files::notch(d, "b"));
  pattern("[NotchImageP2]", d.notchP2, NotchWidth, Notch2Height, cab_files::notch(d, "p2"));
  pattern("[NotchImageB2]", d.notchB2, NotchWidth, Notch2Height, cab_files::notch(d, "b2"));
  pattern("[GearImageList]", d.gear, GearWidth, GearHeight, cab_files::gear(d));
  pattern("[GearImageList2]", d.lever, LeverSize, LeverSize, cab_files::lever(d));
  pattern("[Digi_Speed]", d.digits, DigiWidth, DigiHeight, cab_files::digits());
  std::vector<std::string> others;
  for (size_t i = 0; i < d.others.size(); ++i) {
    // A row without a picture keeps the later rows' numbers.
    const bool used = d.others[i].used();
    others.push_back(used ? cab_files::other(d, i) : "");
    others.push_back(num(used ? d.others[i].left : 0));
    others.push_back(num(used ? d.others[i].top : 0));
  }
  f.table("[Others]", others);
}

void finishSounds(DataFile& f, DriveSounds& s) { f.table("[DriveSound]", s.files()); }

void writeEmu(const std::filesystem::path& root, const CabDesign& look) {
  Running r;  // the defaults describe this car
  DataFile f;
  DriveSounds s;
  f.line("通勤形電車 VVVF インバータ制御・回生ブレンディングブレーキ");
  writeRunningGear(f, r);
  writeSounds(f, r, s);
  f.line("- 力行ノッチ");
  std::vector<std::vector<std::string>> notches;
  for (int n = 1; n <= r.power; ++n)
    notches.push_back({num(0.6 + 0.5 * n), num(0.6 + 0.5 * n), num(20 + 8 * n), num(40 + 10 * n), "1.6", "0"});
  table(f, "[Notch]", notches);
  f.table("[PowerMode]", {"通常,VVVF"});
  table(f, "[EngineSound1]",
        {motorSound("motor_low", 0, {0, 15, 40, 120}, {0.4, 0.8, 1.4, 2.6}, {40, 80, 100, 80}),
         motorSound("motor_high", 0, {30, 50, 80, 120}, {0.6, 0.9, 1.2, 1.6}, {20, 60, 90, 80}),
         motorSound("regen", 1, {3, 30, 70, 120}, {0.5, 0.9, 1.3, 1.8}, {30, 80, 100, 100})});
  finishSounds(f, s);
  writeCab(f, look);
  f.save(root / "train_E231.dat");
}

void writeResistorCar(const std::filesystem::path& root, const CabDesign& look) {
  Running r;
  r.handle = 0;
  r.brakeType = 0;  // automatic air brake: named positions, four of them at run time
  r.brakeType2 = 1;
  r.brake = 4;
  r.power = 4;
  r.hold = 1;
  r.powerType = 0;
  r.brakeTypeElec = 0;
  r.maxSpeed = 100;
  r.cars = 4;
  r.tons = 150, r.mt = 90, r.tt = 60;
  r.atsType = 1;  // the pattern type, and the vigilance device
  r.vigilance = true;
  DataFile f;
  DriveSounds s;
  f.line("旧形電車 抵抗制御・自動空気ブレーキ 1ハンドル抑速付");
  writeRunningGear(f, r);
  writeSounds(f, r, s);
  // Resistor steps: the motor current c / (v - v0) falls from 440 A at a
  // step's first speed to 360 A at the next step's, where the step advances.
  f.line("[CurrentP]");
  f.line("400");
  f.line("2.5");
  f.line("40");
  const std::vector<double> stepSpeeds{0, 5, 10, 16, 23, 30, 38, 46, 55, 65, 76};
  const int notchOfStep[] = {1, 1, 2, 2, 2, 3, 3, 3, 4, 4};
  const double ratio = 440.0 / 360.0;
  for (int k = 0; k < 10; ++k) {
    const double u0 = stepSpeeds[k], u1 = stepSpeeds[k + 1];
    const double v0 = (ratio * u0 - u1) / (ratio - 1);
    f.line(joinFields({num(notchOfStep[k]), num(440 * (u0 - v0)), num(v0), "300", s.s("resistor_step")}));
  }
  f.line("#");
  f.table("[BrakeCurr]", {"150", "250", "350", "450"});
  f.table("[CurrentB]", {"2.0,0.5,0", "2.4,0.6,0", "2.8,0.7,0", "3.2,0.8,0", "3.6,0.9,0"});
  f.table("[PowerMode]", {"直列,並列"});
  f.table("[Suppress]", {"1", "2", "3"});
  table(f, "[EngineSound1]",
        {motorSound("motor_resistor", 0, {0, 20, 50, 100}, {0.4, 0.9, 1.5, 2.4}, {40, 80, 100, 90}),
         motorSound("regen", 1, {5, 30, 60, 100}, {0.6, 0.9, 1.2, 1.6}, {30, 70, 100, 100})});
  finishSounds(f, s);
  writeCab(f, look);
  f.save(root / "train_R80.dat");
}

void writeDieselCar(const std::filesystem::path& root, const CabDesign& look) {
  Running r;
  r.brakeType = 2;  // electric-command air brake
  r.brakeType2 = 0;
  r.brake = 8;
  r.power = 4;
  r.engineType = 0;
  r.brakeTypeElec = 1;
  r.maxSpeed = 95;
  r.cars = 2;
  r.length = 21;
  r.tons = 80, r.mt = 80, r.tt = 0;
  DataFile f;
  DriveSounds s;
  f.line("気動車 液体式・手動変速");
  writeRunningGear(f, r);
  writeSounds(f, r, s);
  // Gear 0 is neutral; gear 1 the torque converter; gear 2 direct drive.
  f.table("[EngineRate]", {"30,0", "40,18", "30,14"});
  f.key("[Gear_Type]", {"MT"});
  table(f, "[Engine]",
        {{"0", "1", "2", "0", "0", "0"},
         {"0", "30", "60", "3200", "2200", "800"},
         {"20", "60", "100", "1800", "1500", "900"}});
  f.table("[PowerMode]", {"変速,直結"});
  table(f, "[EngineSound1]",
        {motorSound("engine_run", -1, {30, 300, 800, 1400}, {0.6, 1.0, 1.6, 2.2}, {50, 70, 90, 100})});
  f.key("[EngineSound2]", {s.s("engine_idle"), s.s("engine_idle_open"), s.s("engine_start"), s.s("engine_stop")});
  // The gearbox whines in the gear that drives, rising with the speed.
  table(f, "[EngineSound3]",
        {{"sound\\gear_whine.wav", "1", "1", "0", "30", "0.8", "1.4", "60", "80"},
         {"sound\\gear_whine.wav", "1", "2", "20", "95", "0.7", "1.5", "50", "80"}});
  finishSounds(f, s);
  writeCab(f, look);
  f.save(root / "train_D20.dat");
}

}  // namespace

std::vector<VehicleEntry> writeVehicles(const std::filesystem::path& root) {
  writeCommonCabPictures(root);
  const CabDesign &emu = emuDesign(), &old = resistorCarDesign(), &diesel = dieselCarDesign();
  for (const auto* design : {&emu, &old, &diesel}) writeVehicleCabPictures(root, *design);
  writeEmu(root, emu);
  writeResistorCar(root, old);
  writeDieselCar(root, diesel);
  return {{"train_E231.dat", emu.title}, {"train_R80.dat", old.title}, {"train_D20.dat", diesel.title}};
}

}  // namespace cab::demo
