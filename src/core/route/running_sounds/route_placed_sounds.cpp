#include "core/route/running_sounds/route_placed_sounds.h"

#include <algorithm>
#include <cmath>

#include "core/common/rounding.h"
#include "core/data/route_records.h"
#include "core/data/vehicle_spec.h"
#include "core/route/running_sounds/running_sound_state.h"
#include "core/route/running_sounds/sound_levels.h"
#include "core/sound/sound_mixer.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int SilentVolume = -10000;
// Frames over which a route-placed sound starts, fades and ends.
constexpr int Window = 30;
// Doppler sources stand this far (cm) beside the track; sound runs at 1220 km/h.
constexpr long double SideDistance = 300;
constexpr long double SoundSpeed = 1220;

bool within(int offset) { return 0 <= offset && offset < Window; }

bool flagAt(const std::vector<bool>& flags, std::size_t k) { return k < flags.size() && flags[k]; }

void setFlag(std::vector<bool>& flags, std::size_t k) {
  if (k < flags.size()) flags[k] = true;
}

// One "[Sound]" row as the tick sees it: its channel and the switches
// o1 … o5 (loop, pitch, level, speed-triggered one shot, fades).
class PlacedSound {
 public:
  PlacedSound(const PositionSoundData& row, const TrainState& t, int routeBase, RunningSoundState& s, SoundMixer& mixer)
      : row_(row), v_(t.speed), f_(t.frame), channel_(routeBase + row.sound), s_(s), mixer_(mixer) {}

  void run(std::size_t k) {
    const auto& o = row_.options;
    if (o[3] == 0) {
      if (o[0] >= 1)
        loopRules(k, o[4] == 1);
      else
        oneShotRules(k);
      if (row_.startFrame < f_ && f_ < row_.endFrame) {
        applyPitchAndLevel();
        if (v_ < 1) mixer_.setVolume(channel_, SilentVolume);
      }
    } else if (o[3] == 1) {
      // Played once when the train passes slowly enough.
      if (row_.startFrame < f_ && f_ < row_.endFrame && !flagAt(s_.routeSoundStarted, k) &&
          roundHalfAway(v_) <= row_.refSpeed) {
        mixer_.restart(channel_);
        setFlag(s_.routeSoundStarted, k);
      }
    }
  }

 private:
  void oneShotRules(std::size_t k) {
    if (!within(f_ - row_.startFrame)) return;
    applyPitchAndLevel();
    if (flagAt(s_.routeSoundStarted, k)) return;
    mixer_.restart(channel_);
    setFlag(s_.routeSoundStarted, k);
  }

  void loopRules(std::size_t k, bool fades) {
    if (within(f_ - row_.startFrame)) {
      if (fades) s_.attenFactor = (f_ - row_.startFrame) * 3.3L / 100;
      clampAtten();
      applyPitchAndLevel();
      if (!flagAt(s_.routeSoundStarted, k)) {
        startLoop(mixer_, channel_);
        setFlag(s_.routeSoundStarted, k);
      }
    }
    if (within(row_.endFrame - f_) && fades) {
      s_.attenFactor = (row_.endFrame - f_) * 3.3L / 100;
      clampAtten();
    }
    if (within(f_ - row_.endFrame) && flagAt(s_.routeSoundStarted, k)) mixer_.stop(channel_);
  }

  void clampAtten() { s_.attenFactor = std::clamp<long double>(s_.attenFactor, 0.1L, 1); }

  // The pitch follows the speed against the reference speed (o2), the level
  // too, on a logarithmic scale and with the attenuation factor (o3). A
  // level above full volume plays at full volume.
  void applyPitchAndLevel() {
    const auto& o = row_.options;
    const long double ref = row_.refSpeed;
    setRate(mixer_, channel_, o[1] != 0 ? v_ / ref : 1.0L);
    const bool level = v_ > 0 && o[2] == 1;
    mixer_.setVolume(channel_, level ? channelVolume(Round(decibelLevel(5000, v_ * s_.attenFactor / ref))) : 0);
  }

  const PositionSoundData& row_;
  const long double v_;
  const int f_;
  const int channel_;
  RunningSoundState& s_;
  SoundMixer& mixer_;
};

}  // namespace

void attenuationZones(std::span<const AttenData> rows, int frame, RunningSoundState& s) {
  s.attenFactor = 1;
  for (const AttenData& r : rows)
    if (r.startFrame < frame && frame < r.endFrame) s.attenFactor = r.percent / 100.0L;
}

void routePlacedSounds(std::span<const PositionSoundData> rows, const TrainState& t, int routeBase,
                       RunningSoundState& s, SoundMixer& mixer) {
  for (std::size_t k = 0; k < rows.size(); ++k) PlacedSound(rows[k], t, routeBase, s, mixer).run(k);
}

void pointsSounds(std::span<const SwitchData> rows, std::span<const SwitchSoundRow> sounds, const TrainState& t,
                  RunningSoundState& s, SoundMixer& mixer) {
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const SwitchData& r = rows[k];
    if (std::abs(r.positionFrame - t.frame) >= 10) continue;
    const auto j = std::find_if(sounds.begin(), sounds.end(), [&](const SwitchSoundRow& row) {
      return row.upperSpeed > t.speed && row.switchType == r.switchType;
    });
    if (!flagAt(s.switchSoundStarted, k) && j != sounds.end()) mixer.restart(j->channel);
    setFlag(s.switchSoundStarted, k);
  }
}

void dopplerSounds(std::span<const DopplerData> rows, const TrainState& t, const std::vector<bool>& departed,
                   int routeBase, SoundMixer& mixer) {
  const long double v = t.speed;
  bool anyInRange = false;
  for (const DopplerData& r : rows) {
    const long double d = r.positionDistance - t.position;
    if (std::fabs(d) > r.range) continue;
    anyInRange = true;
    const int channel = routeBase + r.sound;
    const bool enabled = r.condition == 0 || flagAt(departed, std::size_t(std::max(r.condition, 0)));
    if (!mixer.isPlaying(channel) && enabled) startLoop(mixer, channel);
    if (r.fixedPitch == 0 && d != 0) {
      const long double along = v * std::cos(std::atan(SideDistance / d));
      setRate(mixer, channel, d > 0 ? SoundSpeed / (SoundSpeed - along) : SoundSpeed / (SoundSpeed + along));
    }
    mixer.setVolume(channel, channelVolume(Round(decibelLevel(2000, (r.range - std::fabs(d)) / r.range))));
  }
  if (anyInRange) return;
  for (const DopplerData& r : rows) {
    const int channel = routeBase + r.sound;
    if (mixer.isPlaying(channel)) mixer.stop(channel);
  }
}

}  // namespace cab
