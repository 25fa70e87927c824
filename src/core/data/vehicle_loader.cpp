#include "core/data/vehicle_loader.h"

#include "core/common/data_directory.h"
#include "core/data/vehicle_keys.h"

namespace cab {

namespace {

const std::string BaseLabel = "- 列車の基本設定";

// Refuses the vehicle: the first message names the key group `label`, as the
// loader's other errors do, the second what `key` needs.
[[noreturn]] void refuse(RecordFileReader& r, const std::string& label, std::string_view key, std::string_view need) {
  r.setSectionLabel(label);
  throw r.refusal(vehicle_keys::needs(key, need));
}

// Brake and power steps index the handle-sound tables and the notch table,
// whether or not the file has the sound tables.
void checkHandleSteps(RecordFileReader& r, const VehicleSpec& v) {
  const std::string most = std::to_string(vehicle_keys::MostHandleSteps) + " 以下";
  if (v.Brake > vehicle_keys::MostHandleSteps) refuse(r, BaseLabel, "[Brake]", most);
  if (v.Power > vehicle_keys::MostHandleSteps) refuse(r, BaseLabel, "[Power]", most);
}

// No "[CurrentP]" values at all: the key was never given.
bool noCurrentP(const VehicleSpec& v) {
  return v.CurrentPImax == 0 && v.CurrentPaMax == 0 && v.CurrentPvBase == 0 && v.CurrentPCount == 0;
}

// The running gear divides by these values; a vehicle that would make it
// divide by zero is refused, naming the key and what it needs.
void checkDivisors(RecordFileReader& r, const VehicleSpec& v) {
  // At least one tonne, so that the load-compensated mass rounds to one or more.
  if (v.Tons[0] < 1) refuse(r, BaseLabel, "[Tons]", "1 以上");
  if (v.Tons[1] < 0) refuse(r, BaseLabel, "[Tons]", "2行目に 0 以上");
  if (v.EBPress < 1) refuse(r, BaseLabel, "[EBPress]", "1 以上");
  if (v.EBPressLoad < 0) refuse(r, BaseLabel, "[EBPress]", "2行目に 0 以上");
  if (v.Cars < 1) refuse(r, BaseLabel, "[Cars]", "1 以上");
  if (v.BrakeRate2 < 0) refuse(r, BaseLabel, "[BrakeRate2]", "0 以上");
  const bool electric = v.Engine_Type == 1;
  if (!electric && v.Power < 1) refuse(r, BaseLabel, "[Power]", "気動車では 1 以上");
  if (electric && v.Power_Type == 1)
    for (int i = 0; i < v.NotchCount; ++i) {
      const NotchRow& n = v.Notch[static_cast<std::size_t>(i)];
      if (n.a0 > 0 && (n.v1 < 1 || n.v2 < 1))
        refuse(r, "[Notch]", "[Notch]", std::to_string(i + 1) + "番目の行の v1 と v2 に 1 以上");
    }
  if (electric && v.Power_Type == 0) {
    // Resistor control (also the traction of a file without "[Power_Type]") runs on "[CurrentP]".
    if (noCurrentP(v)) refuse(r, BaseLabel, "[Power_Type]", "0 (抵抗制御) のとき [CurrentP] の表");
    if (v.CurrentPImax < 1) refuse(r, "[CurrentP]", "[CurrentP]", "1行目 (Imax) に 1 以上");
    if (v.CurrentPvBase <= 0) refuse(r, "[CurrentP]", "[CurrentP]", "3行目 (vBase) に 0 より大きい値");
  }
  if (!electric)
    for (int i = 0; i < v.EngineCount; ++i) {
      const EngineRow& g = v.Engine[static_cast<std::size_t>(i)];
      if (g.s0 == g.s1) refuse(r, "[Engine]", "[Engine]", std::to_string(i + 1) + "番目の行の s0 と s1 に異なる値");
    }
}

VehicleSpec readVehicle(RecordFileReader& r, const VehicleLoadContext& context) {
  VehicleSpec v;
  r.scan([&](RecordFileReader& reader) {
    vehicle_keys::testRunningGearKeys(reader, v);
    vehicle_keys::testSoundKeys(reader, v);
    vehicle_keys::testTableKeys(reader, v);
    vehicle_keys::testPanelKeys(reader, v.cabLayout, context);
  });
  checkHandleSteps(r, v);
  checkDivisors(r, v);
  return v;
}

}  // namespace

VehicleSpec loadVehicle(std::string_view bytes, const VehicleLoadContext& context) {
  RecordFileReader r(FileKind::Vehicle, bytes);
  return readVehicle(r, context);
}

VehicleSpec loadVehicleFile(const DataDirectory& data, const std::string& vehicleDirectory, const std::string& fileName,
                            const PictureLoader& pictures, SpriteModel& sprites) {
  RecordFileReader r = RecordFileReader::open(data, vehicleDirectory + fileName, FileKind::Vehicle);
  return readVehicle(r, VehicleLoadContext{data, vehicleDirectory, pictures, sprites});
}

void forceAutomaticBrakeSteps(VehicleSpec& vehicle) {
  if (vehicle.BrakeType == 0) vehicle.Brake = 4;
}

void checkBrakeSteps(const VehicleSpec& vehicle) {
  if (vehicle.BrakeType != 0 && vehicle.Brake < 3) throw HaltError("ブレーキの段数を3段以上に設定してください");
}

}  // namespace cab
