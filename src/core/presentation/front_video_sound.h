#pragma once

#include "core/sound/sound_channels.h"

namespace cab {

// The sound channels the front view touches: stopping the running sounds at
// a movie stop and the scene sound of a station video.
class VideoSoundChannels {
 public:
  virtual ~VideoSoundChannels() = default;
  virtual bool playing(int channel) const = 0;
  virtual void stop(int channel) = 0;
  // Plays the channel once from its start.
  virtual void play(int channel) = 0;
};

// The drive's sound channels, as the front view uses them.
class DriveVideoSoundChannels : public VideoSoundChannels {
 public:
  explicit DriveVideoSoundChannels(SoundChannels& channels) : channels_(channels) {}
  bool playing(int channel) const override { return channels_.isPlaying(channel); }
  void stop(int channel) override { channels_.stop(channel); }
  void play(int channel) override { channels_.play(channel); }

 private:
  SoundChannels& channels_;
};

}  // namespace cab
