#include "core/vehicle/resistance.h"

#include <cmath>

namespace cab {

long double gradientForce(long double mass, long double gradient) {
  return -mass * 1000 * 9.8L * gradient / std::sqrt(1000.0L * 1000.0L + gradient * gradient);
}

long double tunnelForce(long double mass, long double speed, long double coefficient) {
  return -9.8L * mass * speed * speed * coefficient / 10000;
}

long double startingForce(long double mass, long double speed) {
  const long double r = 9.8L * mass * (3 - std::fabs(speed));
  return speed >= 0 ? -r : r;
}

long double runningForce(long double mass, long double speed, int cars) {
  const long double absV = std::fabs(speed);
  const long double r = 9.8L * (mass * (1.32L + 0.0164L * absV) + (0.028L + 0.0078L * (cars - 1)) * absV * absV);
  if (speed > 0.1L) return -r;
  if (speed < -0.1L) return r;
  return 0;
}

}  // namespace cab
