#include "core/vehicle/automatic_brake.h"

#include "core/vehicle/brake_context.h"

namespace cab {

namespace {

void clampPressures(TrainState& t) {
  for (Fixed4* p : {&t.mrPressure, &t.erPressure, &t.sapPressure, &t.bcTrailer, &t.bcMotor})
    if (*p < 0) *p = 0;
  if (t.bpPressure < 0) t.bpPressure = 0;
}

// Running position: the cylinders release once the brake pipe stands above
// them; the pipe and the equalising reservoir recharge from the main
// reservoir, fast while the trailer cylinder is not below the pipe.
void running(const BrakeStep& s) {
  TrainState& t = s.t;
  for (Fixed4* bc : {&t.bcTrailer, &t.bcMotor})
    if (*bc < t.bpPressure) s.releaseBc(*bc, 1.2L);
  const bool fast = t.bcTrailer >= t.bpPressure;
  const long double rate = fast ? s.v.BPReturn / s.f : s.v.BPReturn / s.f / 2.5L;
  const long double limit = fast ? t.bpTarget - 1 : t.bpTarget;
  if (t.bpPressure < limit) {
    t.bpPressure += rate;
    t.mrPressure -= rate / 5;
  }
  if (t.erPressure < limit) t.erPressure += rate;
}

void maintain(const BrakeStep& s) {
  TrainState& t = s.t;
  const long double rate = s.v.BrakeDown / s.f / 2.5L;
  if (t.erPressure < t.bpTarget) t.erPressure += rate;
  if (t.bpPressure < t.bpTarget) {
    t.bpPressure += rate;
    t.mrPressure -= s.v.BrakeUp / (20 * s.f);
  }
  if (t.bcMotor < t.bpPressure) s.releaseBc(t.bcMotor, 1.4L);
}

void protectionBrake(const BrakeStep& s) {
  TrainState& t = s.t;
  const long double up = s.v.BrakeUp / (0.3L * s.f);
  if (t.bcTrailer < t.emergencyBc) {
    t.bcTrailer += up;
    t.mrPressure -= s.v.BrakeUp / (3.3L * s.f);
    t.sapPressure -= s.v.SAPDown / (3 * s.f);
  }
  if (t.bcMotor < t.emergencyBc) t.bcMotor += up;
  t.erPressure -= s.v.BrakeUp / (0.6L * s.f);
  t.bpPressure -= s.v.BrakeUp / (0.6L * s.f);
  if (t.brakeHandle == 0 || t.brakeHandle == -1) t.mrPressure -= s.v.BrakeUp / (4.6L * s.f);
}

}  // namespace

void updateAutomaticBrake(const BrakeStep& s) {
  TrainState& t = s.t;
  const VehicleSpec& v = s.v;
  const long double f = s.f;
  t.bpTarget = brakePipeTarget(t);
  const long double reduction = t.bpTarget - t.bpPressure;
  // A brake-pipe reduction of 140 kPa gives full service pressure.
  const long double wanted = t.serviceMaxBc / 140.0L * reduction;
  auto belowService = [&](const Fixed4& bc) { return bc < t.serviceMaxBc && bc < wanted; };

  if (s.flags.any()) {
    protectionBrake(s);
  } else {
    const int c = t.brakeCommand;
    if (c == 0 || (c == -1 && v.Pull == 1)) {
      running(s);
    } else if (c == -1) {
      maintain(s);
    } else if (c == -2) {
      if (reduction > v.ELBR)
        for (Fixed4* bc : {&t.bcTrailer, &t.bcMotor})
          if (belowService(*bc)) *bc += v.BrakeUp / f;
    } else if (c == -3) {
      if (reduction > v.ELBR)
        for (Fixed4* bc : {&t.bcTrailer, &t.bcMotor})
          if (belowService(*bc)) {
            *bc += v.BrakeUp / f;
            t.sapPressure -= v.SAPUp / f;
          }
      t.erPressure -= v.BrakeUp / (4.6L * f);
      t.bpPressure -= v.BrakeUp / (4.6L * f);
    } else if (c == -4) {
      if (t.bpPressure > 0) {
        if (t.bcTrailer < t.emergencyBc) {
          t.bcTrailer += v.BrakeUp / (0.3L * f);
          t.sapPressure -= v.SAPDown / (3 * f);
        }
        if (t.bcMotor < t.emergencyBc) t.bcMotor += v.BrakeUp / (0.3L * f);
      }
      t.erPressure -= v.BrakeUp / (4.6L * f);
      t.bpPressure -= v.BrakeUp / (0.6L * f);
    } else if (c == -5) {
      for (Fixed4* bc : {&t.bcTrailer, &t.bcMotor}) {
        if ((*bc >= t.serviceMaxBc || *bc >= wanted) && *bc > wanted + 10)
          s.releaseBc(*bc, 1.2L);
        else if (belowService(*bc))
          *bc += v.BrakeUp / f;
      }
    }
  }
  clampPressures(t);
}

}  // namespace cab
