#include "core/vehicle/electro_pneumatic_brake.h"

#include "core/vehicle/brake_context.h"

namespace cab {

namespace {

// Cylinders toward the service target P: apply when more than 10 kPa
// below it, release with base 1.5 above it (when `mayRelease`).
void followTarget(const BrakeStep& s, long double target, bool mayRelease) {
  TrainState& t = s.t;
  if (t.bcTrailer + 10 < target) {
    t.bcTrailer += s.v.BrakeUp / s.f;
    t.mrPressure -= s.v.BrakeUp / (30 * s.f);
  } else if (mayRelease && t.bcTrailer > target) {
    s.releaseBc(t.bcTrailer, 1.5L);
  }
  if (t.bcMotor + 10 < target)
    t.bcMotor += s.v.BrakeUp / s.f;
  else if (mayRelease && t.bcMotor > target)
    s.releaseBc(t.bcMotor, 1.5L);
}

// Blended brake: the trailer cars brake by air, the motor cars by air only
// where the electric brake does not carry.
void blended(const BrakeStep& s, long double target) {
  TrainState& t = s.t;
  const VehicleSpec& v = s.v;
  if (t.bcTrailer + 10 < target) {
    t.bcTrailer += v.BrakeUp / s.f;
    t.mrPressure -= v.BrakeUp / (20 * s.f);
  } else if (t.bcTrailer > target) {
    if (v.BrakeType == 2)
      s.releaseBc(t.bcTrailer, 1.5L);
    else if (t.bpPressure >= t.serviceMaxBc - static_cast<long double>(t.serviceMaxBc) / s.positions())
      s.releaseBc(t.bcTrailer, 1.2L);
  }
  if (t.bcMotor + 10 < target) {
    if (t.elecBrakeCurrent < 50 || t.bcMotor < v.ELBR) t.bcMotor += v.BrakeUp / s.f;
    if (t.suppressStep > 0) t.bcMotor += v.BrakeUp / s.f;
  }
  if (t.bcMotor <= target) {
    if (t.elecBrakeCurrent >= 40 && t.suppressStep == 0 && t.bcMotor > v.ELBR + 5) s.releaseBc(t.bcMotor, 1.5L);
  } else {
    s.releaseBc(t.bcMotor, 1.2L);
  }
}

// Air as a supplement: it applies only while the electric brake alone
// decelerates less than asked, and releases once it does.
void supplementary(const BrakeStep& s, int command, long double target) {
  TrainState& t = s.t;
  const VehicleSpec& v = s.v;
  if (t.elecBrakeCurrent <= 0) {
    followTarget(
        s, target,
        v.BrakeType != 1 || t.erPressure >= t.emergencyBc - static_cast<long double>(t.emergencyBc) / s.positions());
    return;
  }
  const long double airTarget = -command * t.mrPressure / s.serviceSteps();
  if (t.elecBrakeDecel < t.motorAccel) {
    if (t.bcTrailer + 10 < airTarget) {
      t.bcTrailer += v.BrakeUp / s.f;
      t.mrPressure -= v.BrakeUp / (30 * s.f);
    }
    if (t.bcMotor + 10 < airTarget && t.bcTrailer > 0.9L * t.mrPressure) t.bcMotor += v.BrakeUp / s.f;
  }
  if (t.motorAccel <= t.elecBrakeDecel) {
    s.releaseBc(t.bcTrailer, 1.5L);
    s.releaseBc(t.bcMotor, 1.5L);
  }
}

}  // namespace

void updateElectroPneumaticBrake(const BrakeStep& s) {
  TrainState& t = s.t;
  const VehicleSpec& v = s.v;
  const long double f = s.f;
  const int c = t.brakeCommand;
  const bool ep = v.BrakeType == 1;
  if (ep) t.bpTarget = brakePipeTarget(t);

  if (-v.Brake < c && c < 0) {
    const long double target = -c * static_cast<long double>(t.serviceMaxBc) / s.serviceSteps();
    if (v.BrakeType2 == 0)
      followTarget(s, target, true);
    else if (v.BrakeType2 == 1)
      blended(s, target);
    else if (v.BrakeType2 == 2)
      supplementary(s, c, target);
  }
  const int sap = t.sapCommand;
  if (ep && -v.Brake < sap && sap < 0) {
    const long double q = -sap * static_cast<long double>(t.sapMax) / s.serviceSteps();
    if (t.sapPressure < q - 10)
      t.sapPressure += v.SAPUp / f;
    else if (t.sapPressure > q)
      t.sapPressure -= v.SAPDown / f;
  }
  if (c == -v.Brake) {
    for (Fixed4* bc : {&t.bcTrailer, &t.bcMotor})
      if (*bc < t.emergencyBc) *bc += 1.3L * v.BrakeUp / f;
    if (ep) {
      t.erPressure -= 3.0L * v.BrakeUp / f;
      t.bpPressure -= 3.0L * v.BrakeUp / f;
      t.sapPressure -= 3.0L * v.SAPUp / f;
    }
  }
  if (t.mrPressure >= 340 && c == 0) {
    if (ep) {
      s.release(t.sapPressure, 1.5L, v.SAPDown);
      if (t.erPressure >= t.emergencyBc - static_cast<long double>(t.emergencyBc) / s.positions()) {
        s.releaseBc(t.bcTrailer, 1.5L);
        s.releaseBc(t.bcMotor, 1.5L);
      }
    } else {
      s.releaseBc(t.bcTrailer, 1.5L);
      s.releaseBc(t.bcMotor, 1.5L);
    }
  }
  // Loss of main-reservoir air applies the brakes whatever the command.
  if (t.mrPressure < 340)
    for (Fixed4* bc : {&t.bcTrailer, &t.bcMotor})
      if (*bc < t.emergencyBc) *bc += 1.3L * v.BrakeUp / f;
  if (ep && c > -v.Brake) {
    if (t.bpPressure < t.bpTarget) {
      const long double p = 490 - t.bpPressure;
      t.bpPressure += (v.BPReturn / f) / (10 * std::pow(1.5L, -p / 10) + 1);
      t.mrPressure -= v.BPReturn / f / 5;
    }
    if (t.erPressure < t.bpTarget) t.erPressure += v.BPReturn / f;
  }
  for (Fixed4* p : {&t.mrPressure, &t.erPressure, &t.sapPressure, &t.bcTrailer, &t.bcMotor})
    if (*p < 0) *p = 0;
  if (t.bpPressure < 0) t.bpPressure = 0;
}

}  // namespace cab
