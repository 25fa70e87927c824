#pragma once

namespace cab {

class SoundMixer;
struct RunningSoundState;
struct TrainState;

// The rail noise: vehicle sounds 0 to 12 are the noise of the speed bands 0,
// 10, …, 120 km/h. The two bands around the speed loop, cross-faded by the
// speed within the band; the bands beyond them are stopped. Channel 0, the
// noise of standing, keeps its own volume and is never stopped here.
void railNoise(const TrainState& t, RunningSoundState& s, SoundMixer& mixer);

}  // namespace cab
