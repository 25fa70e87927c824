#pragma once

#include <map>

#include "core/sound/sound_channels.h"

namespace cab::testing {

// Channels that play for a set number of ticks (default one); `advance`
// moves time on by one tick. Loops play until stopped.
class TimedSounds final : public SoundChannels {
 public:
  void setLength(int channel, int ticks) { length_[channel] = ticks; }
  void play(int channel) override {
    remaining_[channel] = lengthOf(channel);
    ++plays_[channel];
  }
  void loop(int channel) override {
    remaining_[channel] = -1;
    ++plays_[channel];
  }
  void stop(int channel) override { remaining_[channel] = 0; }
  bool isPlaying(int channel) const override {
    auto it = remaining_.find(channel);
    return it != remaining_.end() && it->second != 0;
  }
  void setVolume(int channel, int volume) override { volume_[channel] = volume; }
  void setFrequency(int, int) override {}

  void advance() {
    for (auto& [channel, left] : remaining_)
      if (left > 0) --left;
  }
  int plays(int channel) const {
    auto it = plays_.find(channel);
    return it == plays_.end() ? 0 : it->second;
  }
  int volume(int channel) const { return volume_.at(channel); }

 private:
  int lengthOf(int channel) const {
    auto it = length_.find(channel);
    return it == length_.end() ? 1 : it->second;
  }
  std::map<int, int> length_, remaining_, plays_, volume_;
};

}  // namespace cab::testing
