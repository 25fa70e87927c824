#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "core/sound/sound_channels.h"
#include "core/sound/wave.h"

namespace cab {

// The drive's 320 sound channels, mixed in software. Each channel plays a
// shared wave with its own position, frequency ratio and volume. The
// controls are called from the drive's thread; render() may run at the same
// time on the audio thread.
class SoundMixer final : public SoundChannels {
 public:
  static constexpr int ChannelCount = 320;

  // A channel that began to sound (from silence): which, with what wave, and
  // the number of output frames rendered before it began.
  struct Start {
    int channel = 0;
    const Wave* wave = nullptr;
    bool looping = false;
    std::int64_t frame = 0;
  };
  using MessageSink = std::function<void(const std::string&)>;
  using StartObserver = std::function<void(const Start&)>;

  explicit SoundMixer(int outputRate = 44100);
  ~SoundMixer() override;

  // Where a bad channel number is reported; "message: " lines on stderr until set.
  void setMessageSink(MessageSink sink);
  // Told of every start, on the thread that started it; none by default.
  void setStartObserver(StartObserver observer);

  // Binds channel `channel` to `wave`; its source frequency becomes the
  // wave's rate. A channel outside 0 … 319 is refused with the mixer's message.
  void bind(int channel, std::shared_ptr<const Wave> wave);
  bool hasWave(int channel) const;
  int sourceRate(int channel) const;

  // Play and loop start a silent channel from the start of its wave; on a
  // sounding channel they only switch between once and looping.
  void play(int channel) override;
  void loop(int channel) override;
  void stop(int channel) override;
  bool isPlaying(int channel) const override;
  bool isLooping(int channel) const;
  // Volume in 1/100 dB, clamped to -10000 … 0; -10000 is silence.
  void setVolume(int channel, int volume) override;
  // Playback rate in Hz, clamped to 100 … 200000 as a sound device's
  // channel takes it; 0 or less plays at the wave's own rate.
  void setFrequency(int channel, int frequency) override;
  int volume(int channel) const;
  int frequency(int channel) const;

  int outputRate() const;
  // Mixes the next `frames` output frames (stereo, interleaved) into `out`,
  // advancing every playing channel. Allocates nothing.
  void render(float* out, int frames);
  // Output frames rendered so far.
  std::int64_t renderedFrames() const;

 private:
  enum class Mode { Silent, Once, Looping };
  struct Voice {
    std::shared_ptr<const Wave> wave;
    Mode mode = Mode::Silent;
    int volume = 0;
    int frequency = 0;
    float gain = 1;
    std::uint64_t position = 0;  // source frames, 32.32 fixed point
    std::uint64_t step = 0;      // source frames per output frame, 32.32
  };

  bool valid(int channel) const;
  void start(int channel, Mode mode);
  void setStep(Voice& v);
  // Adds `frames` output frames of one voice to `out`; a once voice that
  // runs out turns silent.
  void mixVoice(Voice& v, float* out, int frames);

  const int outputRate_;
  mutable std::mutex mutex_;
  std::array<Voice, ChannelCount> voices_;
  std::int64_t renderedFrames_ = 0;
  MessageSink messages_;
  StartObserver startObserver_;
};

}  // namespace cab
