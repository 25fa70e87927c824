#pragma once

namespace cab {

class SoundChannels;
struct CabLamps;
struct ProtectionState;
struct TrainState;
struct UiStrings;
struct VehicleSpec;

// What the protection's rules work with besides the train and their own
// state: the vehicle's protection keys and sounds, the controller's labels
// (for the controller update a brake demand triggers), the sound channels
// and the cab lamps.
struct ProtectionContext {
  const VehicleSpec& vehicle;
  const UiStrings& labels;
  SoundChannels& sound;
  CabLamps& lamps;
};

// A brake demand changed: the brake, straight-air and electric-brake
// commands (with `power` also the power notch) take the new value on the next
// physics step, and the controller is updated at once.
void demandChanged(TrainState& t, const ProtectionState& p, const ProtectionContext& c, bool power = false);

// Only the delay-pending flags, for rules that update the controller later.
void setDelayPending(TrainState& t, bool power = false);

}  // namespace cab
