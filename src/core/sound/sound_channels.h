#pragma once

namespace cab {

// The sound channels of a drive, addressed by channel number. Volume is in
// 1/100 dB (0 full, -10000 silent); frequency in Hz.
class SoundChannels {
 public:
  virtual ~SoundChannels() = default;
  virtual void play(int channel) = 0;
  virtual void loop(int channel) = 0;
  virtual void stop(int channel) = 0;
  virtual bool isPlaying(int channel) const = 0;
  virtual void setVolume(int channel, int volume) = 0;
  virtual void setFrequency(int channel, int frequency) = 0;

  // Plays a sound again from its start.
  void restart(int channel) {
    stop(channel);
    play(channel);
  }
};

// Channels that make no sound, for drives without a sound set.
class SilentSoundChannels final : public SoundChannels {
 public:
  void play(int) override {}
  void loop(int) override {}
  void stop(int) override {}
  bool isPlaying(int) const override { return false; }
  void setVolume(int, int) override {}
  void setFrequency(int, int) override {}
};

}  // namespace cab
