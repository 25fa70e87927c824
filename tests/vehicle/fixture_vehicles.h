#pragma once

#include "core/data/vehicle_spec.h"

namespace cab::testing {

// A small electric one-handle vehicle: 8 brake positions (B1-B7, EB), 4
// notches in one power mode, electro-pneumatic brake, no electric brake.
inline VehicleSpec smallElectric() {
  VehicleSpec v;
  v.Handle = 0;
  v.BrakeType = 1;
  v.Brake = 8;
  v.Power = 4;
  v.NotchBack = 1;
  v.Engine_Type = 1;
  v.Power_Type = 1;
  v.Cars = 4;
  v.MaxSpeed = 120;
  v.PowerDelay = 100;
  v.BrakeDelay = 200;
  v.SAPDelay = 150;
  v.EBrakeDelay = 100;
  v.BrakeUp = 200;
  v.BrakeDown = 180;
  v.SAPUp = 210;
  v.SAPDown = 190;
  v.BPReturn = 100;
  v.HighAirPress = 880;
  v.LowAirPress = 780;
  v.BrakeRate = {Fixed4(4.5), Fixed4(3.5), Fixed4(30)};
  v.BrakeRate2 = 0.02L;
  for (int n = 0; n < 4; ++n) v.Notch[n] = NotchRow{2.5, 2.0, 30 + 5 * n, 60, 1.5, 0};
  v.NotchCount = 4;
  return v;
}

}  // namespace cab::testing
