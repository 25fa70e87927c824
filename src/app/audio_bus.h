#pragma once

#include <array>
#include <mutex>

#include "backends/audio-sdl/sdl_audio_out.h"
#include "core/platform/audio_out.h"

namespace cab::app {

// The program's one sound device, shared by the title's sounds and the
// running drive: each has an AudioOut of its own, and the device plays the
// sum of their sources. (Some drivers open a single device only, so the
// title and a drive cannot each open one.)
class AudioBus {
 public:
  AudioBus();
  ~AudioBus();
  AudioBus(const AudioBus&) = delete;
  AudioBus& operator=(const AudioBus&) = delete;

  AudioOut& title() { return title_; }
  AudioOut& drive() { return drive_; }

 private:
  class Input final : public AudioOut {
   public:
    explicit Input(AudioBus& bus) : bus_(bus) {}
    int outputRate() const override { return bus_.device_.outputRate(); }
    void setSource(Source source) override;

    Source source;  // guarded by the bus's lock

   private:
    AudioBus& bus_;
  };

  // The device's callback: each input's frames added up, in chunks of the scratch buffer.
  void pull(float* out, int frames);

  static constexpr int ChunkFrames = 1024;

  SdlAudioOut device_;
  std::mutex lock_;
  Input title_{*this};
  Input drive_{*this};
  std::array<float, 2 * ChunkFrames> scratch_{};
};

}  // namespace cab::app
