#include "core/data/vehicle_loader.h"

#include "core/common/data_directory.h"
#include "core/data/vehicle_keys.h"

namespace cab {

namespace {

const std::string BaseLabel = "- 列車の基本設定";

// The running gear divides by these values; a vehicle that would make it
// divide by zero is refused with the label of the values' group.
void checkDivisors(RecordFileReader& r, const VehicleSpec& v) {
  auto refuse = [&](const std::string& label, const std::string& why) {
    r.setSectionLabel(label);
    throw r.errorFor(why);
  };
  // At least one tonne, so that the load-compensated mass rounds to one or more.
  if (v.Tons[0] < 1 || v.Tons[1] < 0) refuse(BaseLabel, "[Tons]: the train mass must be at least 1 t");
  if (v.EBPress < 1 || v.EBPressLoad < 0) refuse(BaseLabel, "[EBPress]: the emergency pressure must be positive");
  if (v.Cars < 1) refuse(BaseLabel, "[Cars]: a train has at least one car");
  if (v.BrakeRate2 < 0) refuse(BaseLabel, "[BrakeRate2]: the shoe friction coefficient must not be negative");
  const bool electric = v.Engine_Type == 1;
  if (!electric && v.Power < 1) refuse(BaseLabel, "[Power]: a diesel vehicle needs a power notch");
  if (electric && v.Power_Type == 1)
    for (int i = 0; i < v.NotchCount; ++i) {
      const NotchRow& n = v.Notch[static_cast<std::size_t>(i)];
      if (n.a0 > 0 && (n.v1 < 1 || n.v2 < 1)) refuse("[Notch]", "a traction curve needs v1 and v2 of 1 km/h or more");
    }
  if (electric && v.Power_Type == 0 && (v.CurrentPImax < 1 || v.CurrentPvBase <= 0))
    refuse("[CurrentP]", "Imax and vBase must be positive");
  if (!electric)
    for (int i = 0; i < v.EngineCount; ++i) {
      const EngineRow& g = v.Engine[static_cast<std::size_t>(i)];
      if (g.s0 == g.s1) refuse("[Engine]", "the first two speeds of a gear must differ");
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
