#pragma once

namespace cab {

class Drive;

// The drive's side of the running and environment sounds: the tick steps
// that keep them in step with the train, and the frame loop's held-key
// sounds (horns with their air, the hasten chime or the conductor's buzzer).
bool wheelSquealStep(Drive& d);
bool brakeAirSoundsStep(Drive& d);
bool attenuationStep(Drive& d);
bool routePlacedSoundsStep(Drive& d);
bool pointsSoundsStep(Drive& d);
bool dopplerSoundsStep(Drive& d);
bool railNoiseStep(Drive& d);
bool motorSoundsStep(Drive& d);
bool resistorStepSoundStep(Drive& d);
void heldKeySounds(Drive& d);

}  // namespace cab
