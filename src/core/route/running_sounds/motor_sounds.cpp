#include "core/route/running_sounds/motor_sounds.h"

#include <array>
#include <cmath>
#include <optional>

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/route/running_sounds/running_sound_state.h"
#include "core/route/running_sounds/sound_levels.h"
#include "core/sound/sound_bank.h"
#include "core/sound/sound_mixer.h"
#include "core/vehicle/protection_flags.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int SilentVolume = -10000;
constexpr long double FullFade = 100;

// A point of a sound's table: at speed (or engine speed) x the sound plays
// at `rate` times its own rate and `volume` percent.
struct SoundPoint {
  long double x = 0, rate = 0, volume = 0;
};

SoundPoint between(const SoundPoint& a, const SoundPoint& b, long double x) {
  const long double f = (x - a.x) / (b.x - a.x);
  return {x, a.rate + (b.rate - a.rate) * f, a.volume + (b.volume - a.volume) * f};
}

// Linear between the two points; within `margin` outside them the rate
// line goes on and the volume fades to nothing. None further out.
std::optional<SoundPoint> withFadeMargins(const SoundPoint& a, const SoundPoint& b, long double x) {
  constexpr long double Margin = 10;
  const auto rateAt = [&](long double at) { return a.x == b.x ? a.rate : between(a, b, at).rate; };
  if (a.x < x && x < b.x) return between(a, b, x);
  if (a.x - Margin < x && x <= a.x) return SoundPoint{x, rateAt(x), a.volume * (x - a.x + Margin) / Margin};
  if (b.x <= x && x < b.x + Margin) return SoundPoint{x, rateAt(x), b.volume * (b.x + Margin - x) / Margin};
  return std::nullopt;
}

// The volume of a sound at `volume` percent, faded by `fade` percent under a
// master level of `master` percent.
long double rowLevel(long double& volume, long double fade, long double master) {
  if (volume < 1) volume = 1;
  return Round(decibelLevel(1660, volume * fade * master / 1000000));
}

// Raises a factor by `step` while it is below `below`, or lowers it.
void rise(long double& factor, long double step, long double below) {
  if (factor < below) factor += step;
}
void fall(long double& factor, long double step, long double above) {
  if (factor > above) factor -= step;
}

bool motorRowActive(const MotorSoundData& row, const TrainState& t, int brakeSteps) {
  if (row.kagen == 0) return t.powerNotch > 0;
  if (row.kagen == 1) return -brakeSteps < t.brakeCommand && t.brakeCommand < 0;
  return row.kagen >= 2 && t.brakeCommand != -brakeSteps;
}

int rowCount(int count, std::size_t gains) { return std::min(count, static_cast<int>(gains)); }

void electricRowPitch(const MotorSoundData& row, long double x, int channel, long double& volume, SoundMixer& mixer) {
  const std::array<SoundPoint, 4> points{SoundPoint{row.Speed1, row.Rate1, row.Volume1},
                                         {row.Speed2, row.Rate2, row.Volume2},
                                         {row.Speed3, row.Rate3, row.Volume3},
                                         {row.Speed4, row.Rate4, row.Volume4}};
  volume = 1;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    if (!(points[i].x < x && x <= points[i + 1].x)) continue;
    const SoundPoint p = between(points[i], points[i + 1], x);
    setRate(mixer, channel, p.rate);
    volume = p.volume;
    return;
  }
}

void dieselRowPitch(const SoundPoint& a, const SoundPoint& b, long double x, int channel, long double& volume,
                    SoundMixer& mixer) {
  const auto p = withFadeMargins(a, b, x);
  volume = 1;
  if (!p) return;
  setRate(mixer, channel, p->rate);
  volume = p->volume;
}

// The idle sounds: one while the doors are closed (or 5.5 s after the close
// request), the other while they are open and were not asked to close 3 s ago.
void idleSounds(const TrainState& t, const VehicleSpec& v, int doorClosingTicks, SoundMixer& mixer) {
  const int closed = v.EngineSound2[0];
  const int open = v.EngineSound2[1];
  if (t.engineRunning == 0) {
    mixer.stop(closed);
    mixer.stop(open);
    return;
  }
  if (t.engineRunning != 1) return;
  const auto startOnly = [&](int channel) {
    mixer.stop(closed);
    mixer.stop(open);
    mixer.loop(channel);
  };
  if (!mixer.isPlaying(closed) && (doorClosingTicks == 55 || !t.doorsOpen)) startOnly(closed);
  if (!mixer.isPlaying(open) && t.doorsOpen && doorClosingTicks < 30) startOnly(open);
}

void gearSounds(const TrainState& t, const VehicleSpec& v, SoundBank& bank, RunningSoundState& s, SoundMixer& mixer) {
  const bool clutchIn = t.clutchOut == 0;
  const bool running = t.engineRunning == 1;
  const int rows = rowCount(v.EngineSound3Count, bank.engineGain3.size());
  for (int r = 0; r < rows; ++r) {
    const HensokuSoundData& row = v.EngineSound3[static_cast<std::size_t>(r)];
    auto& [volume, fade] = bank.engineGain3[static_cast<std::size_t>(r)];
    dieselRowPitch({row.StartSpeed, row.StartRate, row.StartVolume}, {row.EndSpeed, row.EndRate, row.EndVolume},
                   t.speed, bank.engineBase3() + r, volume, mixer);
    if (row.kagen == 1 && t.powerNotch >= 1) {
      if (row.gear == t.gear) rise(fade, 10, 95);
    } else if (row.kagen == 2 && t.brakeCommand < 0 && t.speed > v.Lose_elec[0]) {
      rise(fade, 10, 95);
    } else {
      fall(fade, 10, 10);
    }
  }
  if ((t.powerNotch != 0 || t.brakeCommand != 0) && clutchIn && running)
    rise(s.gearMaster, 10, 95);
  else if ((t.powerNotch == 0 && t.brakeCommand == 0) || !clutchIn)
    fall(s.gearMaster, 10, 10);
  for (int r = 0; r < rows; ++r) {
    auto& [volume, fade] = bank.engineGain3[static_cast<std::size_t>(r)];
    const int channel = bank.engineBase3() + r;
    mixer.setVolume(channel, channelVolume(static_cast<std::int64_t>(rowLevel(volume, fade, s.gearMaster))));
    loopWhenSilent(mixer, channel);
  }
}

}  // namespace

void electricMotorSounds(const TrainState& t, const VehicleSpec& v, const ProtectionFlags& flags, SoundBank& bank,
                         RunningSoundState& s, SoundMixer& mixer) {
  const int rows = rowCount(v.EngineSound1Count, bank.engineGain1.size());
  const long double x = std::fabs(t.speed);
  for (int r = 0; r < rows; ++r) {
    const MotorSoundData& row = v.EngineSound1[static_cast<std::size_t>(r)];
    auto& [volume, fade] = bank.engineGain1[static_cast<std::size_t>(r)];
    electricRowPitch(row, x, bank.engineBase1() + r, volume, mixer);
    if (motorRowActive(row, t, v.Brake))
      fade = FullFade;
    else if (fade > 11)
      fade -= 10;
  }
  const bool driving = t.powerNotch != 0 || t.brakeCommand != 0 || t.suppressStep != 0 || flags.any();
  if (driving)
    rise(s.motorMaster, 20, 85);
  else
    fall(s.motorMaster, 10, 15);
  s.motorMaster = std::min<long double>(s.motorMaster, 100);
  for (int r = 0; r < rows; ++r) {
    const MotorSoundData& row = v.EngineSound1[static_cast<std::size_t>(r)];
    auto& [volume, fade] = bank.engineGain1[static_cast<std::size_t>(r)];
    const int channel = bank.engineBase1() + r;
    // A row whose kind runs all the time ignores the master level.
    const long double level = rowLevel(volume, fade, row.kagen == 3 ? 100 : s.motorMaster);
    mixer.setVolume(channel, level > -3000 && fade > 10 ? channelVolume(std::int64_t(level)) : SilentVolume);
    if (fade < 5) {
      if (mixer.isPlaying(channel)) mixer.stop(channel);
    } else {
      loopWhenSilent(mixer, channel);
    }
  }
}

void dieselEngineSounds(const TrainState& t, const VehicleSpec& v, int doorClosingTicks, SoundBank& bank,
                        RunningSoundState& s, SoundMixer& mixer) {
  const int rows = rowCount(v.EngineSound1Count, bank.engineGain1.size());
  for (int r = 0; r < rows; ++r) {
    const MotorSoundData& row = v.EngineSound1[static_cast<std::size_t>(r)];
    auto& [volume, fade] = bank.engineGain1[static_cast<std::size_t>(r)];
    dieselRowPitch({row.Speed1, row.Rate1, row.Volume1}, {row.Speed4, row.Rate4, row.Volume4}, t.engineRpm,
                   bank.engineBase1() + r, volume, mixer);
    if (row.kagen == -1)
      fade = FullFade;
    else if (row.kagen == -2 && t.brakeCommand < 0)
      fade = FullFade;
    else if (row.kagen >= 0)
      fade = row.kagen == t.gear ? FullFade : 1;
  }
  idleSounds(t, v, doorClosingTicks, mixer);
  const bool clutchIn = t.clutchOut == 0;
  if (t.powerNotch != 0 && clutchIn && t.engineRunning == 1)
    rise(s.motorMaster, 5, 95);
  else if (t.powerNotch == 0 || !clutchIn)
    fall(s.motorMaster, 5, 5);
  for (int r = 0; r < rows; ++r) {
    auto& [volume, fade] = bank.engineGain1[static_cast<std::size_t>(r)];
    const int channel = bank.engineBase1() + r;
    mixer.setVolume(channel, channelVolume(static_cast<std::int64_t>(rowLevel(volume, fade, s.motorMaster))));
    loopWhenSilent(mixer, channel);
  }
  gearSounds(t, v, bank, s, mixer);
}

void resistorStepSound(TrainState& t, const VehicleSpec& v, SoundMixer& mixer) {
  if (!t.resistorStepChanged || t.resistorStep < 0 || t.resistorStep >= v.CurrentPCount) return;
  const int channel = v.CurrentP[static_cast<std::size_t>(t.resistorStep)].sound;
  if (channel <= 0 || mixer.isPlaying(channel)) return;
  mixer.restart(channel);
  t.resistorStepChanged = false;
}

}  // namespace cab
