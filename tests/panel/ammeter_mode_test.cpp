#include "core/presentation/panel/ammeter_mode.h"

#include <gtest/gtest.h>

#include "core/data/vehicle_spec.h"
#include "core/vehicle/train_state.h"

namespace cab {
namespace {

struct ModeCase {
  const char* what;
  int brakeCommand = 0;
  long double elecBrakeCurrent = 0;
  bool holdBack = false;
  long double resistForce = 0;
  int suppressStep = 0;
  int powerHandle = 0;
  int powerNotch = 0;
  long double tractiveForce = 0;
  bool doorsOpen = false;
  int doorLock = 0;
  int expected = 0;
};

TEST(AmmeterMode, ElectricBrakingPoweringOrNone) {
  // "[Brake]" 8: -8 is the emergency position. Notch 2 of the table brakes (a0 < 0).
  const ModeCase cases[] = {
      {.what = "standing released", .expected = 0},
      {.what = "service brake with brake current", .brakeCommand = -3, .elecBrakeCurrent = 200, .expected = 1},
      {.what = "service brake, no current", .brakeCommand = -3, .expected = 0},
      {.what = "emergency brake with current", .brakeCommand = -8, .elecBrakeCurrent = 200, .expected = 0},
      {.what = "hold-back on a descent", .elecBrakeCurrent = 50, .holdBack = true, .resistForce = 100, .expected = 1},
      {.what = "hold-back without resistance", .elecBrakeCurrent = 50, .holdBack = true, .expected = 0},
      {.what = "hold-back step", .elecBrakeCurrent = 50, .suppressStep = 1, .expected = 1},
      {.what = "braking notch", .powerHandle = 2, .powerNotch = 2, .tractiveForce = -500, .expected = 1},
      {.what = "notch curve powering (no motor current)",
       .powerHandle = 3,
       .powerNotch = 3,
       .tractiveForce = 9000,
       .expected = 2},
      {.what = "notch before the power delay", .powerHandle = 3, .expected = 0},
      {.what = "powering, doors open, no interlock",
       .powerHandle = 1,
       .powerNotch = 1,
       .doorsOpen = true,
       .expected = 2},
      {.what = "powering, doors open, interlocked",
       .powerHandle = 1,
       .powerNotch = 1,
       .doorsOpen = true,
       .doorLock = 1,
       .expected = 0},
      {.what = "powering, doors shut, interlocked", .powerHandle = 1, .powerNotch = 1, .doorLock = 1, .expected = 2},
  };
  for (const ModeCase& c : cases) {
    VehicleSpec v;
    v.Brake = 8;
    v.DoorLock = c.doorLock;
    v.Notch[1].a0 = -1.5;
    v.Notch[2].a0 = 2.5;
    TrainState t;
    t.brakeCommand = c.brakeCommand;
    t.elecBrakeCurrent = c.elecBrakeCurrent;
    t.holdBack = c.holdBack;
    t.resistForce = c.resistForce;
    t.suppressStep = c.suppressStep;
    t.powerHandle = c.powerHandle;
    t.powerNotch = c.powerNotch;
    t.tractiveForce = c.tractiveForce;
    t.doorsOpen = c.doorsOpen;
    EXPECT_EQ(ammeterMode(t, v), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace cab
