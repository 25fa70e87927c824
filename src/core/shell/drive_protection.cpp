// The train protection's steps, keys and resets: each hands the rules the
// drive's records they read and the state they change.
#include "core/shell/drive_protection.h"

#include "core/route/protection/cab_signalling.h"
#include "core/route/protection/pattern_protection.h"
#include "core/route/protection/protection_context.h"
#include "core/route/protection/protection_start.h"
#include "core/route/protection/roll_back.h"
#include "core/route/protection/signal_speed_points.h"
#include "core/route/protection/speed_checks.h"
#include "core/route/protection/spot_bell.h"
#include "core/route/protection/vigilance.h"
#include "core/shell/drive.h"

namespace cab {

namespace {

ProtectionContext context(Drive& d) { return {d.vehicle, d.strings, *d.sound, d.operation.lamps}; }

std::span<const SpeedCheckData> pointChecks(const Drive& d) {
  return std::span<const SpeedCheckData>(d.route.SpeedCheck1).first(static_cast<std::size_t>(d.route.SpeedCheck1Count));
}

}  // namespace

bool cabSignallingStep(Drive& d) {
  cabSignalling(d.train, d.protection, context(d), d.signalState.shownSignalImage);
  return true;
}

bool atsBellStep(Drive& d) {
  spotTypeBell(d.train, d.protection, context(d));
  return true;
}

bool patternProtectionStep(Drive& d) {
  const PatternInputs in{d.route, d.signalState, d.stationState.doorsClosedAtStation, d.stationState.sectionMaxSpeed};
  patternProtection(d.train, d.protection, context(d), in);
  return true;
}

bool speedChecksStep(Drive& d) {
  speedChecks(d.train, d.protection, context(d),
              SpeedCheckInputs{d.route, d.signalState, d.stationState.sectionMaxSpeed});
  return true;
}

bool vigilanceStep(Drive& d) {
  // Automatic running and the speed hold switch the vehicle's device off for good.
  vigilanceDevice(d.train, d.vehicle.EB, d.protection, context(d));
  return true;
}

bool rollBackStep(Drive& d) {
  rollBackProtection(d.train, d.protection, context(d));
  return true;
}

void signalSpeedPointsStep(Drive& d, int row) {
  const SpeedPointInputs in{d.train, d.vehicle, d.route, d.stationState.sectionMaxSpeed};
  signalSpeedPoints(row, d.route.Signal[static_cast<std::size_t>(row)], d.signalState, d.protection, in);
}

void vigilanceCharacter(Drive& d, char key) {
  if (key != '\r') vigilanceInput(d.protection, context(d));
}

void protectionKey(Drive& d, char key) {
  if (key == ' ') AtsAcknowledge(d.train, d.protection, context(d));
  if (key == 'r') AtsReset(d.train, d.protection, context(d));
}

void startProtection(Drive& d) {
  cab::startProtection(d.protection, d.operation.lamps, pointChecks(d), d.train.position,
                       d.stationState.sectionMaxSpeed);
}

void jumpProtection(Drive& d) { cab::jumpProtection(d.protection, pointChecks(d), d.train.position); }

}  // namespace cab
