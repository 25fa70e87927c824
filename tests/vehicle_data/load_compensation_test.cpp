#include "core/vehicle/load_compensation.h"

#include <gtest/gtest.h>

namespace cab {
namespace {

VehicleSpec loadedVehicle() {
  VehicleSpec v;
  v.MAXPress = 440;
  v.MAXPressLoad = 0.25L;
  v.EBPress = 480;
  v.EBPressLoad = 1.5L;
  v.SAPPress = 430;
  v.SAPPressLoad = 0.5L;
  v.Tons = {Fixed4(100.0L), Fixed4(0.25L)};
  v.Mt = {Fixed4(62.5L), Fixed4(0.0L)};
  v.Tt = {Fixed4::fromRaw(696234), Fixed4(0.2L)};
  return v;
}

TEST(LoadCompensation, RoundsHalvesToEven) {
  struct Case {
    int percent;
    int service, emergency, sap;
    std::int64_t train, motor, trailer;  // whole tonnes
  };
  const Case cases[] = {
      // 440.5 -> 440, 483, 431, 100.5 -> 100, 62.5 -> 62, 70.0234 -> 70
      {2, 440, 483, 431, 100, 62, 70},
      // 441.5 -> 442, 489, 433, 101.5 -> 102, 62, 70.8234 -> 71
      {6, 442, 489, 433, 102, 62, 71},
      {1, 440, 482, 430, 100, 62, 70},  // 440.25, 481.5 -> 482, 430.5 -> 430, 100.25, 69.8234
  };
  for (const Case& c : cases) {
    TrainState t;
    compensateLoad(t, loadedVehicle(), c.percent);
    EXPECT_EQ(t.serviceMaxBc, c.service) << c.percent;
    EXPECT_EQ(t.emergencyBc, c.emergency) << c.percent;
    EXPECT_EQ(t.sapMax, c.sap) << c.percent;
    EXPECT_EQ(t.trainMass.raw(), c.train * Fixed4::Scale) << c.percent;
    EXPECT_EQ(t.motorMass.raw(), c.motor * Fixed4::Scale) << c.percent;
    EXPECT_EQ(t.trailerMass.raw(), c.trailer * Fixed4::Scale) << c.percent;
  }
}

TEST(LoadCompensation, WithoutLoadTheEmptyValuesKeepTheirDecimals) {
  for (int percent : {0, -5}) {
    TrainState t;
    t.trainMass = Fixed4(999);
    compensateLoad(t, loadedVehicle(), percent);
    EXPECT_EQ(t.serviceMaxBc, 440);
    EXPECT_EQ(t.emergencyBc, 480);
    EXPECT_EQ(t.sapMax, 430);
    EXPECT_EQ(t.trainMass.raw(), 1000000);
    EXPECT_EQ(t.motorMass.raw(), 625000);
    EXPECT_EQ(t.trailerMass.raw(), 696234);
  }
}

}  // namespace
}  // namespace cab
