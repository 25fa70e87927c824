#pragma once

#include <cstdint>

namespace cab {

class SoundMixer;

// A rounded volume as a channel takes it: -10000 (silent) … 0 (full).
int channelVolume(std::int64_t volume);

// The volume (1/100 dB) of an amplitude ratio on a scale of `perDecade` per
// factor of ten: perDecade × log10(ratio), within silence (-10000) and full
// volume (0); a ratio of 0 or less is silence.
long double decibelLevel(long double perDecade, long double ratio);

// Plays a channel at `ratio` times its wave's own rate: the frequency is
// the source rate times the ratio, truncated.
void setRate(SoundMixer& mixer, int channel, long double ratio);

// Starts a channel looping from the beginning of its sound.
void startLoop(SoundMixer& mixer, int channel);

// Starts the loop of a silent channel; a sounding one goes on.
void loopWhenSilent(SoundMixer& mixer, int channel);

}  // namespace cab
