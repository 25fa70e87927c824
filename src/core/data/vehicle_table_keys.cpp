#include "core/data/vehicle_keys.h"

namespace cab::vehicle_keys {

namespace {

const std::string BaseLabel = "- 列車の基本設定";

// Tests `key` and, when it matches, makes it the section label.
bool enter(RecordFileReader& r, std::string_view key, const std::string& label) {
  if (!r.isKey(key)) return false;
  r.setSectionLabel(label);
  return true;
}
bool enter(RecordFileReader& r, std::string_view key) { return enter(r, key, std::string(key)); }

template <typename T, std::size_t N>
T& at(std::array<T, N>& table, int index) {
  return table[static_cast<std::size_t>(index)];
}

void readNotchRow(RecordFileReader& r, NotchRow& n) {
  n.a0 = static_cast<double>(RecordFileReader::toReal(r.line()));
  n.a1 = static_cast<double>(nextReal(r));
  n.v1 = nextInt(r);
  n.v2 = nextInt(r);
  n.e = static_cast<double>(nextReal(r));
  n.mode = nextInt(r);
}

void readNotchTable(RecordFileReader& r, VehicleSpec& v) {
  int mode = 0;
  v.NotchCount = r.readTable(VehicleSpec::NotchCapacity, [&](int i) {
    NotchRow& row = at(v.Notch, i);
    readNotchRow(r, row);
    // Modes rise in steps of one through the table; each change starts a mode.
    if (row.mode != mode) {
      if (++mode >= VehicleSpec::NotchModeCapacity)
        throw FormatError("more than " + std::to_string(VehicleSpec::NotchModeCapacity) + " power modes");
      at(v.NotchModeStart, mode) = i;
    }
  });
  if (v.Engine_Type == 0) throw DataError("動力が気動車なのにNotch指定があります");
}

void readEngineTable(RecordFileReader& r, VehicleSpec& v) {
  v.EngineCount = r.readTable(VehicleSpec::EngineCapacity, [&](int i) {
    EngineRow& g = at(v.Engine, i);
    g.s0 = RecordFileReader::toInt(r.line());
    g.s1 = nextInt(r);
    g.s2 = nextInt(r);
    g.f0 = static_cast<double>(nextReal(r));
    g.f1 = static_cast<double>(nextReal(r));
    g.f2 = static_cast<double>(nextReal(r));
  });
  if (v.Engine_Type == 1) throw DataError("動力が電車なのにEngine指定があります");
}

void readMotorSound(RecordFileReader& r, MotorSoundData& s) {
  s.index = r.line();
  s.kagen = nextInt(r);
  for (long double* f : {&s.Speed1, &s.Speed2, &s.Speed3, &s.Speed4, &s.Rate1, &s.Rate2, &s.Rate3, &s.Rate4, &s.Volume1,
                         &s.Volume2, &s.Volume3, &s.Volume4})
    *f = nextReal(r);
}

void readHensokuSound(RecordFileReader& r, HensokuSoundData& s) {
  s.index = r.line();
  s.kagen = nextInt(r);
  s.gear = nextInt(r);
  for (long double* f : {&s.StartSpeed, &s.EndSpeed, &s.StartRate, &s.EndRate, &s.StartVolume, &s.EndVolume})
    *f = nextReal(r);
}

}  // namespace

void testTableKeys(RecordFileReader& r, VehicleSpec& v) {
  if (enter(r, "[SwitchSound]", BaseLabel))
    v.SwitchSoundCount = r.readTable(VehicleSpec::SwitchSoundCapacity, [&](int i) {
      at(v.SwitchSound, i) = {r.intField(1), r.intField(2), r.intField(3)};
    });
  if (enter(r, "[EngineRate]", BaseLabel))
    r.readTable(VehicleSpec::EngineRateCapacity, [&](int i) { at(v.EngineRate, i) = {r.intField(1), r.realField(2)}; });
  if (enter(r, "[Notch]")) readNotchTable(r, v);
  if (enter(r, "[CurrentP]")) {
    v.CurrentPImax = nextInt(r);
    v.CurrentPaMax = nextReal(r);
    v.CurrentPvBase = nextReal(r);
    v.CurrentPCount = r.readTable(VehicleSpec::CurrentPCapacity, [&](int i) {
      at(v.CurrentP, i) = {r.intField(1), r.realField(2), r.realField(3), r.intField(4), r.intField(5)};
    });
  }
  if (enter(r, "[BrakeCurr]"))
    r.readTable(VehicleSpec::BrakeCurrCapacity, [&](int i) { at(v.BrakeCurr, i) = RecordFileReader::toInt(r.line()); });
  if (enter(r, "[CurrentB]")) {
    v.CurrentBCount = r.readTable(VehicleSpec::CurrentBCapacity, [&](int i) {
      at(v.CurrentB, i) = {r.realField(1), r.realField(2), r.intField(3)};
    });
  }
  if (enter(r, "[Gear_Type]", BaseLabel)) {
    // The whole line is compared: any other text keeps the gearbox.
    const std::string& type = r.nextLine();
    if (type == "AT") v.Gear_Type = 0;
    if (type == "MT") v.Gear_Type = 1;
  }
  if (enter(r, "[Engine]")) readEngineTable(r, v);
  if (enter(r, "[PowerMode]")) {
    v.PowerModeCount = r.readTable(VehicleSpec::PowerModeCapacity,
                                   [&](int i) {
                                     at(v.PowerMode, i) = {r.field(1), r.field(2)};
                                   },
                                   {.stringRows = true});
  }
  if (enter(r, "[Suppress]")) {
    v.SuppressCount = r.readTable(VehicleSpec::SuppressCapacity,
                                  [&](int i) { at(v.Suppress, i) = RecordFileReader::toInt(r.line()); });
  }
  if (enter(r, "[EngineSound1]")) {
    v.EngineSound1Count =
        r.readTable(VehicleSpec::EngineSoundCapacity, [&](int i) { readMotorSound(r, at(v.EngineSound1, i)); });
  }
  if (enter(r, "[EngineSound2]"))
    for (int& channel : v.EngineSound2) channel = nextInt(r);
  if (enter(r, "[EngineSound3]")) {
    v.EngineSound3Count =
        r.readTable(VehicleSpec::EngineSoundCapacity, [&](int i) { readHensokuSound(r, at(v.EngineSound3, i)); });
  }
  if (enter(r, "[DriveSound]")) {
    v.DriveSoundCount = r.readTable(VehicleSpec::DriveSoundCapacity, [&](int i) { at(v.DriveSound, i) = r.line(); },
                                    {.stringRows = true});
  }
}

}  // namespace cab::vehicle_keys
