#pragma once

#include "core/data/route_data.h"
#include "core/data/ui_strings.h"
#include "core/data/vehicle_spec.h"
#include "core/route/operation_state.h"
#include "core/route/protection/protection_context.h"
#include "core/route/protection/protection_state.h"
#include "core/route/signals/signal_state.h"
#include "core/vehicle/train_state.h"
#include "tests/route_tick/fake_sounds.h"

namespace cab::testing {

// The protection's sound channels in the fixture vehicle.
enum Channel { Bell = 1, Chime = 2, AckTone = 3, Atc = 4, Buzzer = 5, BrakeRelease = 6 };

// A vehicle with nine brake positions (EB at -9) and the protection's
// sounds, a route with the five aspects 0, 25, 45, 65 and 110 km/h, a train
// at 60 km/h on the line's 70 km/h section, and the protection at power on.
struct ProtectionFixture {
  VehicleSpec vehicle;
  UiStrings labels;
  RouteData route;
  TimedSounds sounds;
  CabLamps lamps;
  TrainState train;
  SignalState signals;
  ProtectionState p;
  int sectionMaxSpeed = 70;

  ProtectionFixture() {
    vehicle.Brake = 9;
    vehicle.BrakeType = 1;
    vehicle.Power = 4;
    vehicle.ATS_Time = 5;
    vehicle.Sound_Ats1 = Bell;
    vehicle.Sound_Ats2 = Chime;
    vehicle.Sound_Ats3 = AckTone;
    vehicle.Sound_Atc = Atc;
    vehicle.Sound_EBring = Buzzer;
    for (auto& row : vehicle.Sound_BK) row = {0, BrakeRelease};  // the second list is the release air
    const int speeds[] = {0, 25, 45, 65, 110};
    for (int k = 0; k < 5; ++k) route.Speed_Signal[static_cast<std::size_t>(k)] = speeds[k];
    route.Speed_SignalCount = 5;
    train.speed = 60;
    train.brakeHandle = train.brakeCommand = 0;
    p.clearPattern(sectionMaxSpeed);
  }

  ProtectionContext context() { return {vehicle, labels, sounds, lamps}; }
  bool delayPending() const { return train.brakeDelayPending && train.sapDelayPending && train.elecBrakeDelayPending; }
  void clearDelayPending() {
    train.powerDelayPending = train.brakeDelayPending = train.sapDelayPending = train.elecBrakeDelayPending = false;
  }
};

}  // namespace cab::testing
