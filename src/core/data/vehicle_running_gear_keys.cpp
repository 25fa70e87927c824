#include "core/data/vehicle_keys.h"

namespace cab::vehicle_keys {

namespace {

// A key of one integer line.
void intKey(RecordFileReader& r, std::string_view key, int& field) {
  if (r.isKey(key)) field = nextInt(r);
}

// A key of an integer line and a real line: the empty-train value and what a
// percent of passenger load adds.
void loadedKey(RecordFileReader& r, std::string_view key, int& empty, long double& perPercent) {
  if (!r.isKey(key)) return;
  empty = nextInt(r);
  perPercent = nextReal(r);
}

void massKey(RecordFileReader& r, std::string_view key, std::array<Fixed4, 2>& mass) {
  if (!r.isKey(key)) return;
  mass[0] = nextFixed(r);
  mass[1] = nextFixed(r);
}

}  // namespace

void testRunningGearKeys(RecordFileReader& r, VehicleSpec& v) {
  intKey(r, "[Handle]", v.Handle);
  intKey(r, "[BrakeType]", v.BrakeType);
  intKey(r, "[BrakeType2]", v.BrakeType2);
  intKey(r, "[Brake]", v.Brake);
  intKey(r, "[Power]", v.Power);
  intKey(r, "[NotchBack]", v.NotchBack);
  intKey(r, "[Hold]", v.Hold);
  intKey(r, "[Pull]", v.Pull);
  if (r.isKey("[Const]")) {
    v.ConstNotch = nextInt(r);
    v.ConstMinSpeed = nextInt(r);
  }
  intKey(r, "[Back]", v.Back);
  intKey(r, "[InterLock]", v.InterLock);
  if (r.isKey("[BrakeRate]"))
    for (Fixed4& rate : v.BrakeRate) rate = nextFixed(r);
  if (r.isKey("[BrakeRate2]")) v.BrakeRate2 = nextFixed(r).value();
  intKey(r, "[PowerDelay]", v.PowerDelay);
  intKey(r, "[BrakeDelay]", v.BrakeDelay);
  intKey(r, "[EBrakeDelay]", v.EBrakeDelay);
  intKey(r, "[PowerJerk]", v.PowerJerk);
  intKey(r, "[SAPDelay]", v.SAPDelay);
  intKey(r, "[BrakeUp]", v.BrakeUp);
  intKey(r, "[BrakeDown]", v.BrakeDown);
  intKey(r, "[SAPUp]", v.SAPUp);
  intKey(r, "[SAPDown]", v.SAPDown);
  if (r.isKey("[AmMeter]")) {
    v.AmMeter[0] = nextInt(r);
    v.AmMeter[1] = nextInt(r);
  }
  intKey(r, "[EBrakeUp]", v.EBrakeUp);
  intKey(r, "[EBrakeDown]", v.EBrakeDown);
  if (r.isKey("[EBrakeCurr]")) {
    v.EBrakeCurr = nextInt(r);
    if (!absent(r.nextLine())) v.EBrakeCurr2 = RecordFileReader::toReal(r.line());
  }
  intKey(r, "[BPReturn]", v.BPReturn);
  loadedKey(r, "[MAXPress]", v.MAXPress, v.MAXPressLoad);
  loadedKey(r, "[EBPress]", v.EBPress, v.EBPressLoad);
  loadedKey(r, "[SAPPress]", v.SAPPress, v.SAPPressLoad);
  intKey(r, "[HighAirPress]", v.HighAirPress);
  intKey(r, "[LowAirPress]", v.LowAirPress);
  intKey(r, "[Engine_Type]", v.Engine_Type);
  intKey(r, "[DoorLock]", v.DoorLock);
  intKey(r, "[Power_Type]", v.Power_Type);
  intKey(r, "[Brake_Type]", v.Brake_Type);
  intKey(r, "[DoorType]", v.DoorType);
  massKey(r, "[Tons]", v.Tons);
  massKey(r, "[Mt]", v.Mt);
  massKey(r, "[Tt]", v.Tt);
  intKey(r, "[Cars]", v.Cars);
  intKey(r, "[Length]", v.Length);
  intKey(r, "[EB]", v.EB);
  intKey(r, "[MaxSpeed]", v.MaxSpeed);
  if (r.isKey("[Lose_elec]")) {
    v.Lose_elec[0] = nextInt(r);
    if (!absent(r.nextLine())) v.Lose_elec[1] = RecordFileReader::toInt(r.line());
  }
  intKey(r, "[ELBR]", v.ELBR);
  intKey(r, "[Mc]", v.Mc);
  intKey(r, "[ATS_Type]", v.ATS_Type);
  intKey(r, "[ATS_Alert]", v.ATS_Alert);
  intKey(r, "[ATS_Time]", v.ATS_Time);
  intKey(r, "[ATS_Cnt]", v.ATS_Cnt);
}

}  // namespace cab::vehicle_keys
