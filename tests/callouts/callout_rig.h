#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/sound/sound_bank.h"
#include "core/sound/sound_mixer.h"

namespace cab::testing {

// The mixer runs at 1000 frames a second, so a tick is 100 rendered frames.
constexpr int MixRate = 1000;
constexpr int FramesPerTick = 100;

// A silent mono wave lasting `ms` milliseconds at the mixer's rate.
inline WavePtr waveOf(int ms) {
  auto w = std::make_shared<Wave>();
  w->sampleRate = MixRate;
  w->channelCount = 1;
  w->samples.assign(static_cast<std::size_t>(ms), 0.0f);
  return w;
}

class RecordingDialogs final : public Dialogs {
 public:
  void message(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// The real mixer, with the tick of each start on each channel kept in order.
struct MixerLog {
  struct Started {
    int channel;
    const Wave* wave;
    int tick;
  };
  SoundMixer mixer{MixRate};
  std::vector<Started> starts;
  int tick = 0;

  MixerLog() {
    mixer.setStartObserver([this](const SoundMixer::Start& s) { starts.push_back({s.channel, s.wave, tick}); });
  }
  // Renders one tick's worth of sound.
  void advance() {
    std::vector<float> out(2 * FramesPerTick);
    mixer.render(out.data(), FramesPerTick);
    ++tick;
  }
  std::vector<Started> startsOn(int channel) const {
    std::vector<Started> on;
    for (const Started& s : starts)
      if (s.channel == channel) on.push_back(s);
    return on;
  }
};

// A sound bank whose call-out waves are all distinct, so that a queued wave
// names its slot: 40 call-out slots plus `extraSlots` "[KankoSound2]" ones,
// and `others` and `limits` waves.
inline SoundBank calloutBank(int extraSlots = 0, int others = 4, int limits = 4) {
  SoundBank bank;
  for (int i = 0; i < 40 + extraSlots; ++i) bank.calloutWaves.push_back(waveOf(200));
  for (int i = 0; i < others; ++i) bank.otherCalloutWaves.push_back(waveOf(200));
  for (int i = 0; i < limits; ++i) bank.limitCalloutWaves.push_back(waveOf(200));
  return bank;
}

// A wave as a name: "slot 5", "other 2", "limit 1", or "?".
inline std::string nameOf(const SoundBank& bank, const Wave* w) {
  const auto find = [w](const std::vector<WavePtr>& list, const std::string& label) -> std::string {
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i].get() == w) return label + " " + std::to_string(i);
    return "";
  };
  for (const auto& [list, label] : {std::pair{&bank.calloutWaves, "slot"}, std::pair{&bank.otherCalloutWaves, "other"},
                                    std::pair{&bank.limitCalloutWaves, "limit"}})
    if (std::string n = find(*list, label); !n.empty()) return n;
  return "?";
}

}  // namespace cab::testing
