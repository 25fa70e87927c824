#pragma once

namespace cab {

// Resistances in N, signed as forces along the track (negative opposes
// forward motion). `mass` in t, `speed` in km/h, `gradient` in per mille.

// The weight component along the slope: a climb (g > 0) pulls back.
long double gradientForce(long double mass, long double gradient);
// Tunnel resistance, opposing forward motion whatever the direction.
long double tunnelForce(long double mass, long double speed, long double coefficient);
// Starting resistance while taking power below 3 km/h.
long double startingForce(long double mass, long double speed);
// Running resistance of `cars` cars; none within 0.1 km/h of standstill.
long double runningForce(long double mass, long double speed, int cars);

}  // namespace cab
