#define SDL_MAIN_HANDLED
#include "backends/audio-sdl/sdl_audio_out.h"

#include <SDL.h>

#include <algorithm>
#include <iostream>
#include <utility>

namespace cab {

namespace {

constexpr int OutputChannels = 2;
constexpr int BufferFrames = 1024;

}  // namespace

SdlAudioOut::SdlAudioOut(int rate) : rate_(rate) {
  SDL_SetMainReady();
  // SDL would otherwise take SIGINT and SIGTERM for its own quit event, and
  // the window program would no longer end on them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (open(rate)) return;
  const std::string reason = SDL_GetError();
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  open(rate);
  // A later device opens the real driver again.
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  std::cerr << "message: サウンドデバイスを開けません（" << reason << "）。音を出さずに続けます\n";
}

bool SdlAudioOut::open(int rate) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_F32SYS;
  want.channels = OutputChannels;
  want.samples = BufferFrames;
  want.callback = &SdlAudioOut::pull;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the device plays.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  driver_ = SDL_GetCurrentAudioDriver();
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

SdlAudioOut::~SdlAudioOut() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The callback runs with the device locked, so a source swapped under the
// lock is never called again once setSource returns.
void SdlAudioOut::setSource(Source source) {
  if (device_ != 0) SDL_LockAudioDevice(device_);
  std::swap(source_, source);
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
  // The previous source is let go outside the lock.
}

void SdlAudioOut::pull(void* self, std::uint8_t* stream, int bytes) {
  auto& out = *static_cast<SdlAudioOut*>(self);
  auto* frames = reinterpret_cast<float*>(stream);
  const int count = bytes / int(sizeof(float) * OutputChannels);
  if (out.source_)
    out.source_(frames, count);
  else
    std::fill(frames, frames + count * OutputChannels, 0.0f);
}

}  // namespace cab
