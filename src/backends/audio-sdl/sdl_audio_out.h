#pragma once

#include <cstdint>
#include <string>

#include "core/platform/audio_out.h"

namespace cab {

// The sound card through SDL2: stereo float frames pulled from the source in
// SDL's audio callback. When no device opens, SDL's dummy driver plays the
// frames into nowhere at the same pace, after one notice on stderr, so the
// mixer still advances and sounds still end.
class SdlAudioOut final : public AudioOut {
 public:
  explicit SdlAudioOut(int rate = 44100);
  ~SdlAudioOut() override;
  SdlAudioOut(const SdlAudioOut&) = delete;
  SdlAudioOut& operator=(const SdlAudioOut&) = delete;

  int outputRate() const override { return rate_; }
  void setSource(Source source) override;
  // The SDL audio driver playing; empty when none could be opened.
  const std::string& driver() const { return driver_; }

 private:
  bool open(int rate);
  static void pull(void* self, std::uint8_t* stream, int bytes);

  std::uint32_t device_ = 0;
  int rate_;
  Source source_;
  std::string driver_;
};

}  // namespace cab
