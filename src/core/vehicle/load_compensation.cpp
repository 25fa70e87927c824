#include "core/vehicle/load_compensation.h"

#include "core/common/rounding.h"

namespace cab {

namespace {

int loaded(int empty, long double perPercent, int percent) {
  return static_cast<int>(Round(percent * perPercent + empty));
}

Fixed4 loaded(const std::array<Fixed4, 2>& mass, int percent) {
  return Fixed4(Round(percent * mass[1].value() + mass[0].value()));
}

}  // namespace

void compensateLoad(TrainState& train, const VehicleSpec& v, int percent) {
  if (percent > 0) {
    train.serviceMaxBc = loaded(v.MAXPress, v.MAXPressLoad, percent);
    train.emergencyBc = loaded(v.EBPress, v.EBPressLoad, percent);
    train.sapMax = loaded(v.SAPPress, v.SAPPressLoad, percent);
    train.trainMass = loaded(v.Tons, percent);
    train.motorMass = loaded(v.Mt, percent);
    train.trailerMass = loaded(v.Tt, percent);
  } else {
    train.serviceMaxBc = v.MAXPress;
    train.emergencyBc = v.EBPress;
    train.sapMax = v.SAPPress;
    train.trainMass = v.Tons[0];
    train.motorMass = v.Mt[0];
    train.trailerMass = v.Tt[0];
  }
}

}  // namespace cab
