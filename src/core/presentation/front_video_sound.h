#pragma once

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

// Channels with no sound loaded: nothing plays, stopping does nothing.
class NoVideoSoundChannels : public VideoSoundChannels {
 public:
  bool playing(int) const override { return false; }
  void stop(int) override {}
  void play(int) override {}
};

}  // namespace cab
