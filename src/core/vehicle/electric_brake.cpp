#include "core/vehicle/electric_brake.h"

#include <algorithm>
#include <cmath>

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/vehicle/traction.h"
#include "core/vehicle/train_state.h"
#include "core/vehicle/vehicle_tables.h"

namespace cab {

namespace {

void currentCommand(TrainState& t, const VehicleSpec& v, long double f) {
  if (v.BrakeType2 <= 0) return;
  const int c = t.elecBrakeCommand;
  const long double target = -c * static_cast<long double>(v.EBrakeCurr) / std::max(v.Brake - 1, 1);
  long double& current = t.elecBrakeCurrent;
  if (c > -v.Brake && t.speed >= v.Lose_elec[1] && current < v.EBrakeCurr && current < target)
    current += v.EBrakeUp / f;
  else
    current -= v.EBrakeDown / f;
  current = std::max(current, 0.0L);
  if (current > 0 && (c == 0 || c == -v.Brake)) current = std::max(current - v.EBrakeDown / f, 0.0L);
}

// Walks the dynamic-brake rows: the current of the present row, and a step
// on to the next row while the current stays below `limit` and the row is
// below `maxRow`.
void walkRows(TrainState& t, const VehicleSpec& v, long double limit, int maxRow) {
  const long double absV = std::fabs(t.speed);
  for (int k = 0; k < v.CurrentBCount; ++k) {
    const CurrentBRow& row = currentBRow(v, t.dynBrakeStep);
    if (row.a != 0) t.elecBrakeCurrent = (absV - row.b) / row.a;
    if (t.dynBrakeStep < k && t.dynBrakeStep < maxRow && t.elecBrakeCurrent < limit) ++t.dynBrakeStep;
  }
}

void resistorBrake(TrainState& t, const VehicleSpec& v) {
  const int c = t.elecBrakeCommand;
  if (t.suppressStep == 0) {
    if (doorRuleAllowsTraction(t, v) && c < 0) {
      if (t.speed > v.Lose_elec[1]) {
        const int setting = brakeCurrentSetting(v, -c);
        if (setting == 0) {
          t.dynBrakeStep = 0;
          t.elecBrakeCurrent = 0;
        } else {
          walkRows(t, v, setting, v.CurrentBCount);
        }
      } else {
        t.elecBrakeCurrent = 0;
      }
    }
    if (c == 0) {
      t.dynBrakeStep = 0;
      t.elecBrakeCurrent = 0;
    }
    if (t.dynBrakeStep > 0) t.resistorStep = 0;
  } else {
    // A hold-back step limits the rows and keeps the current modest.
    if (doorRuleAllowsTraction(t, v) && c < 0 && t.speed > v.Lose_elec[1])
      walkRows(t, v, 125, suppressLimit(v, t.suppressStep));
    t.elecBrakeCurrent = std::max(t.elecBrakeCurrent, 0.0L);
  }
}

}  // namespace

void updateElectricBrake(TrainState& t, const VehicleSpec& v, long double framesPerSecond) {
  if (v.Brake_Type == 1)
    currentCommand(t, v, framesPerSecond);
  else if (v.Brake_Type == 0)
    resistorBrake(t, v);
  if (t.elecBrakeCurrent > 0) t.ammeterTarget = -static_cast<int>(Round(t.elecBrakeCurrent));
}

}  // namespace cab
