#include "core/route/running_sounds/brake_sounds.h"

#include <cmath>

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/route/running_sounds/running_sound_state.h"
#include "core/route/running_sounds/sound_levels.h"
#include "core/sound/sound_mixer.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"
#include "core/vehicle/vehicle_tables.h"

namespace cab {

namespace {

constexpr int FixedSquealVolume = -2000;

// Lowers a sounding channel's volume by `step` while it is above -6000 and
// stops it once it has fallen below -5000.
void dieAway(SoundMixer& mixer, int channel, int step) {
  const int volume = mixer.volume(channel);
  if (volume <= -6000) return;
  mixer.setVolume(channel, volume - step);
  if (volume - step < -5000) mixer.stop(channel);
}

void restartWhenSilent(SoundMixer& mixer, int channel, bool& latched) {
  if (latched || channel < 0 || mixer.isPlaying(channel)) return;
  mixer.restart(channel);
  latched = true;
}

// The release sound: the handle back at running with the cylinders still
// charged, or the handle released a step while the cylinders are more than
// 10 kPa above its share of the emergency pressure.
void releaseSound(const TrainState& t, const VehicleSpec& v, RunningSoundState& s, SoundMixer& mixer) {
  const long double b = t.bcTrailer;
  const int h = -t.brakeHandle;
  if (t.brakeHandle == 0 && t.brakeCommand != -1 && b > 0)
    restartWhenSilent(mixer, brakeSoundChannel(v.Sound_BK, -t.brakeCommand, 1), s.brakeSoundLatched);
  else if (t.brakeCommand < t.brakeHandle && v.Brake != 0 && t.emergencyBc * h / (long double)v.Brake < b - 10)
    restartWhenSilent(mixer, brakeSoundChannel(v.Sound_BR, h + 1, 1), s.brakeSoundLatched);
  else
    s.brakeSoundLatched = false;
}

void emergencySound(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, RunningSoundState& s,
                    SoundMixer& mixer) {
  const bool emergency = flags.emergency() || t.brakeHandle == -v.Brake;
  if (!emergency) {
    s.ebSoundLatched = false;
    return;
  }
  if (s.ebSoundLatched) return;
  if (v.BrakeType <= 1 && t.bpPressure > 0) {
    mixer.restart(v.Sound_EB[0]);
    const int application = brakeSoundChannel(v.Sound_BA, v.Brake + 1, 1);
    if (application >= 0) mixer.restart(application);
    s.ebSoundLatched = true;
  } else if (v.BrakeType == 2 && t.bcTrailer < t.emergencyBc && t.speed > v.Sound_EB[1]) {
    mixer.restart(v.Sound_EB[0]);
    s.ebSoundLatched = true;
  }
}

// The automatic air brake's brake pipe: its exhaust in the apply position,
// fading as the pipe empties, and its charging from the main reservoir.
void brakePipeSounds(const TrainState& t, const VehicleSpec& v, SoundMixer& mixer) {
  const long double bp = t.bpPressure;
  const long double mr = t.mrPressure;
  const int exhaust = v.Sound_Apply[0];
  if (t.brakeCommand == -3 && bp > 0) {
    loopWhenSilent(mixer, exhaust);
    mixer.setVolume(exhaust, bp < 100 ? channelVolume(Round(decibelLevel(2000, bp / 100))) : 0);
  } else {
    mixer.stop(exhaust);
  }
  const int charging = v.Sound_Apply[1];
  if (mr > bp + 10 && t.brakeCommand >= -1 && bp < 490) {
    loopWhenSilent(mixer, charging);
    long double level = 0;
    if (bp > 440)
      level = decibelLevel(2000, (490 - bp) / 100);
    else if (mr - 50 < bp)
      level = decibelLevel(2000, (mr - bp) / 100);
    mixer.setVolume(charging, channelVolume(Round(level)));
  } else {
    mixer.stop(charging);
  }
}

}  // namespace

void wheelSqueal(const TrainState& t, const VehicleSpec& v, SoundMixer& mixer) {
  const int channel = v.Sound_squeak;
  const long double b = t.bcTrailer;
  const long double speed = std::fabs(t.speed);
  const bool airOnly = t.elecBrakeCurrent == 0;
  if (b > 0 && speed > 1 && airOnly && !mixer.isPlaying(channel)) startLoop(mixer, channel);
  if (b == 0) dieAway(mixer, channel, 100);
  if (speed < 1) dieAway(mixer, channel, 1000);
  // Without a fade-out speed of the electric brake the squeal sounds at a fixed volume.
  const long double fadeSpeed = v.Lose_elec[1];
  if (b > 0 && airOnly && speed > 1)
    mixer.setVolume(channel,
                    fadeSpeed != 0 ? channelVolume(Round(500 * t.speed / fadeSpeed / b * -500)) : FixedSquealVolume);
}

void brakeAirSounds(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, RunningSoundState& s,
                    SoundMixer& mixer) {
  if (v.BrakeType > 0 && !flags.any()) releaseSound(t, v, s, mixer);
  emergencySound(t, v, flags, s, mixer);
  if (v.BrakeType == 0) brakePipeSounds(t, v, mixer);
}

}  // namespace cab
