#pragma once

namespace cab {

class SoundChannels;
struct CabLamps;
struct StationState;
struct TrainState;

// The door sounds of a vehicle (channels, -1 none) and whether the route is
// one-man (the driver works the doors).
struct DoorSpec {
  int openSound = -1;
  int closeSound = -1;
  int departureSignal = -1;  // "[DepSign]"
  bool oneMan = false;
};

// Toggles the doors: opens closed doors of a standing train, starts closing
// open ones. Works only while the stop-position mark of a station shows.
void Door_operate(TrainState& t, StationState& s, CabLamps& lamps, const DoorSpec& d, SoundChannels& sounds);

// The doors have closed when they are commanded closed, neither door sound
// plays any more and the door lamp is dark: the lamp lights, the doors count
// as closed, the departure signal sounds and the stop cycle counts one
// station on. Returns true on that tick only.
bool doorClosedDetection(TrainState& t, StationState& s, CabLamps& lamps, const DoorSpec& d, SoundChannels& sounds);

// Ticks the doors have stayed open since a close request.
void doorClosingCounter(const TrainState& t, StationState& s);

// Above 5 km/h doors that are still commanded open start closing.
void automaticDoorClosing(TrainState& t, StationState& s, CabLamps& lamps, const DoorSpec& d, SoundChannels& sounds);

// Traction is held off while the doors are open on an interlocked vehicle.
inline bool doorRuleMet(bool interlocked, bool doorsOpen) { return !interlocked || !doorsOpen; }

}  // namespace cab
