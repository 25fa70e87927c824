#include "core/vehicle/keisan.h"

#include <algorithm>
#include <cmath>

#include "core/common/frame_timing.h"
#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/vehicle/adhesion.h"
#include "core/vehicle/air_supply.h"
#include "core/vehicle/ammeter.h"
#include "core/vehicle/automatic_brake.h"
#include "core/vehicle/brake_context.h"
#include "core/vehicle/brake_force.h"
#include "core/vehicle/delayed_commands.h"
#include "core/vehicle/electric_brake.h"
#include "core/vehicle/electro_pneumatic_brake.h"
#include "core/vehicle/resistance.h"
#include "core/vehicle/track_conditions.h"
#include "core/vehicle/traction.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr long double ClockTickMs = 33.3L;

// Forces, speed and pressures: everything up to the delayed brake commands.
// Returns false when the rest of the step is skipped.
bool forcesAndSpeed(TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, const TrackConditions& track,
                    const FrameTiming& timing) {
  const int ms = static_cast<int>(Round(timing.frameMs));
  const long double fps = timing.framesPerSecond;
  t.tractiveForce = 0;
  t.resistForce = 0;
  // The notch this step's traction used; the delayed copy below acts from the next step.
  const int n = t.powerNotch;
  t.tractiveForce = tractionForce(t, v, flags);
  t.motorForce = t.tractiveForce;
  if (v.Engine_Type == 1 && v.Power_Type == 0) updateResistorStep(t, v, ms);
  updatePowerNotch(t, v, ms, track.videoMode);
  t.motorForceAfterDelay = t.tractiveForce;

  updateBrakeForce(t, v);
  if (t.speed > 0)
    t.tractiveForce -= t.brakeForce;
  else if (t.speed < 0)
    t.tractiveForce += t.brakeForce;

  const long double mass = t.trainMass;
  const long double absV = std::fabs(t.speed);
  updateAdhesion(t, n, track.friction);
  t.resistForce += gradientForce(mass, track.gradient);
  if (track.inTunnel) t.resistForce += tunnelForce(mass, t.speed, track.tunnelResistance);
  updateAdhesionLimit(t, v, n);
  applySlipAndSlide(t, v, n);
  if (n > 0 && absV < 3 && t.resistForce >= 0) {
    // Standing, the starting resistance holds the train against its traction
    // but never pushes it backwards.
    long double start = startingForce(mass, t.speed);
    if (t.speed == 0) start = -std::min(-start, std::max(t.tractiveForce.value(), 0.0L));
    t.resistForce += start;
  }
  t.resistForce += runningForce(mass, t.speed, v.Cars);
  // Hold-back keeps the speed on a descent; constant speed balances the resistance.
  if (t.resistForce > 0 && t.holdBack && track.gradient < 0) t.tractiveForce -= t.resistForce;
  if (t.constSpeed == 1) t.tractiveForce = t.resistForce < 0 ? -t.resistForce.value() : 0.0L;
  if (track.videoMode == 1) t.resistForce = 0;

  // Without a mass there is no acceleration to integrate.
  if (mass > 0) {
    const long double accel = 3.6L * (t.tractiveForce + t.resistForce) / (mass * 1000);
    t.predictedSpeed = t.speed + accel / timing.frameMs;
    const long double tf = t.tractiveForce, rf = t.resistForce;
    // The brakes stop the train; they never drive it backwards.
    if ((t.speed > 0 && tf < 0 && std::fabs(rf) <= std::fabs(tf) && t.predictedSpeed < 0) ||
        (t.speed < 0 && tf > 0 && std::fabs(rf) < std::fabs(tf) && t.predictedSpeed > 0)) {
      t.speed = 0;
      t.tractiveForce = 0;
      t.resistForce = 0;
    }
    if (!t.speedHold) t.speed += 3.6L * (t.tractiveForce + t.resistForce) / (mass * 1000) / fps;
  }

  const BrakeStep brakes{t, v, flags, fps};
  t.elecBrakeDecel = t.elecBrakeCommand * static_cast<long double>(v.BrakeRate[1]) / brakes.serviceSteps();
  if (v.BrakeType == 0)
    updateAutomaticBrake(brakes);
  else
    updateElectroPneumaticBrake(brakes);
  if (mass > 0) {
    t.motorAccel = 3.6L * t.tractiveForce / (mass * 1000);
    t.netAccel = 3.6L * (t.tractiveForce + t.resistForce) / (mass * 1000);
  }
  mainReservoirLeak(t, fps);
  return updateBrakeCommands(t, v, flags, ms);
}

// Entering another recorded stretch puts the position on the boundary
// crossed, so the distance run and the video frame cannot drift apart.
void followFilm(TrainState& t, const TrackConditions& track) {
  if (!track.film) return;
  const FilmSpeed& f = *track.film;
  t.filmSpeed = f.filmSpeed;
  if (t.filmSpeedRow >= 0 && f.row != t.filmSpeedRow) {
    if (f.row == 0)
      t.position = 0;
    else if (f.row > t.filmSpeedRow)
      t.position = f.distanceStart;
    else
      t.position = f.distanceEnd;
  }
  t.filmSpeedRow = f.row;
}

// Returns the route clock units the step has run for.
int distanceAndClock(TrainState& t, const TrackConditions& track, const FrameTiming& timing) {
  followFilm(t, track);
  t.stepDistance = t.speed != 0 ? timing.frameMs * t.speed / 36 : 0;
  t.position += t.stepDistance;
  int clockUnits = 0;
  t.videoTickRemainder += timing.frameMs;
  if (t.videoTickRemainder > ClockTickMs) {
    const auto ticks = roundHalfAway(t.videoTickRemainder / ClockTickMs);
    clockUnits = static_cast<int>(ticks);
    t.videoTickRemainder -= ClockTickMs * ticks;
  }
  if (t.autoRunning) t.speed = t.filmSpeed;
  return clockUnits;
}

// The cab sways like a damped spring, nudged by changes of acceleration.
void sway(TrainState& t, const FrameTiming& timing) {
  const long double fps = timing.framesPerSecond;
  const long double y = t.viewSway;
  const long double acc = 42000 * (0.03L - y) / 16000;
  const long double a = t.trainMass > 0 ? 3.6L * (t.tractiveForce + t.resistForce) / (t.trainMass * 1000) : 0;
  t.viewSwayVelocity = 0.95L * (0.98L / fps + t.viewSwayVelocity + acc / fps) + 0.01L * (a - t.prevAccel);
  t.viewSway = y + t.viewSwayVelocity;
}

}  // namespace

KeisanResult keisan(TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, const TrackConditions& track,
                    const FrameTiming& timing) {
  if (!forcesAndSpeed(t, v, flags, track, timing)) return {};
  const int clockUnits = distanceAndClock(t, track, timing);
  updateAmmeter(t, v, timing.framesPerSecond);
  updateElectricBrake(t, v, timing.framesPerSecond);
  sway(t, timing);
  return {true, clockUnits};
}

}  // namespace cab
