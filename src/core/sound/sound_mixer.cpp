#include "core/sound/sound_mixer.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

namespace cab {

namespace {

constexpr int MinFrequency = 100;
constexpr int MaxFrequency = 200000;
constexpr int SilentVolume = -10000;
// Frames mixed under one hold of the lock.
constexpr int BlockFrames = 256;
constexpr std::uint64_t One = std::uint64_t(1) << 32;
// Below this level the mix passes unchanged; above it the limiter bends it
// smoothly towards ±1.
constexpr float LimiterKnee = 0.8f;

float amplitudeOf(int volume) { return volume <= SilentVolume ? 0.0f : float(std::pow(10.0, volume / 2000.0)); }

float fractionOf(std::uint64_t position) { return float(position & (One - 1)) * (1.0f / float(One)); }

float limit(float x) {
  const float a = std::fabs(x);
  if (a <= LimiterKnee) return x;
  const float bent = LimiterKnee + (1 - LimiterKnee) * std::tanh((a - LimiterKnee) / (1 - LimiterKnee));
  return std::copysign(bent, x);
}

// Adds `frames` frames interpolated between source frames i and i + 1, all
// of which lie inside the wave. Returns the position after them.
std::uint64_t mixRun(const float* s, int channels, std::uint64_t position, std::uint64_t step, float gain, float* out,
                     std::uint64_t frames) {
  if (channels == 1) {
    for (std::uint64_t k = 0; k < frames; ++k, position += step) {
      const float* p = s + (position >> 32);
      const float v = (p[0] + (p[1] - p[0]) * fractionOf(position)) * gain;
      out[2 * k] += v;
      out[2 * k + 1] += v;
    }
  } else {
    for (std::uint64_t k = 0; k < frames; ++k, position += step) {
      const float* p = s + 2 * (position >> 32);
      const float f = fractionOf(position);
      out[2 * k] += (p[0] + (p[2] - p[0]) * f) * gain;
      out[2 * k + 1] += (p[1] + (p[3] - p[1]) * f) * gain;
    }
  }
  return position;
}

}  // namespace

SoundMixer::SoundMixer(int outputRate) : outputRate_(std::max(outputRate, 1)) {}

SoundMixer::~SoundMixer() = default;

void SoundMixer::setMessageSink(MessageSink sink) { messages_ = std::move(sink); }

void SoundMixer::setStartObserver(StartObserver observer) { startObserver_ = std::move(observer); }

bool SoundMixer::valid(int channel) const {
  if (channel >= 0 && channel < ChannelCount) return true;
  const std::string text = "チャンネル番号" + std::to_string(channel) + "は無効です、0～" +
                           std::to_string(ChannelCount - 1) + "の範囲で指定してください";
  if (messages_)
    messages_(text);
  else
    std::cerr << "message: " << text << '\n';
  return false;
}

void SoundMixer::setStep(Voice& v) { v.step = (std::uint64_t(v.frequency) << 32) / std::uint64_t(outputRate_); }

void SoundMixer::bind(int channel, std::shared_ptr<const Wave> wave) {
  if (!valid(channel)) return;
  std::shared_ptr<const Wave> old;
  {
    std::lock_guard lock(mutex_);
    Voice& v = voices_[std::size_t(channel)];
    old = std::exchange(v.wave, std::move(wave));
    v = Voice{std::move(v.wave)};
    v.frequency = v.wave ? std::clamp(v.wave->sampleRate, MinFrequency, MaxFrequency) : 0;
    setStep(v);
  }
  // The old wave, if this was its last user, is freed outside the lock.
}

bool SoundMixer::hasWave(int channel) const {
  if (!valid(channel)) return false;
  std::lock_guard lock(mutex_);
  return voices_[std::size_t(channel)].wave != nullptr;
}

int SoundMixer::sourceRate(int channel) const {
  if (!valid(channel)) return 0;
  std::lock_guard lock(mutex_);
  const Voice& v = voices_[std::size_t(channel)];
  return v.wave ? v.wave->sampleRate : 0;
}

void SoundMixer::start(int channel, Mode mode) {
  if (!valid(channel)) return;
  Start started{channel, nullptr, mode == Mode::Looping, 0};
  {
    std::lock_guard lock(mutex_);
    Voice& v = voices_[std::size_t(channel)];
    if (!v.wave) return;
    const bool fromSilence = v.mode == Mode::Silent;
    v.mode = mode;
    if (!fromSilence) return;
    v.position = 0;
    started.wave = v.wave.get();
    started.frame = renderedFrames_;
  }
  if (startObserver_) startObserver_(started);
}

void SoundMixer::play(int channel) { start(channel, Mode::Once); }

void SoundMixer::loop(int channel) { start(channel, Mode::Looping); }

void SoundMixer::stop(int channel) {
  if (!valid(channel)) return;
  std::lock_guard lock(mutex_);
  Voice& v = voices_[std::size_t(channel)];
  v.mode = Mode::Silent;
  v.position = 0;
}

bool SoundMixer::isPlaying(int channel) const {
  if (!valid(channel)) return false;
  std::lock_guard lock(mutex_);
  return voices_[std::size_t(channel)].mode != Mode::Silent;
}

bool SoundMixer::isLooping(int channel) const {
  if (!valid(channel)) return false;
  std::lock_guard lock(mutex_);
  return voices_[std::size_t(channel)].mode == Mode::Looping;
}

void SoundMixer::setVolume(int channel, int volume) {
  if (!valid(channel)) return;
  std::lock_guard lock(mutex_);
  Voice& v = voices_[std::size_t(channel)];
  v.volume = std::clamp(volume, SilentVolume, 0);
  v.gain = amplitudeOf(v.volume);
}

void SoundMixer::setFrequency(int channel, int frequency) {
  if (!valid(channel)) return;
  std::lock_guard lock(mutex_);
  Voice& v = voices_[std::size_t(channel)];
  if (frequency <= 0) frequency = v.wave ? v.wave->sampleRate : 0;
  v.frequency = std::clamp(frequency, MinFrequency, MaxFrequency);
  setStep(v);
}

int SoundMixer::volume(int channel) const {
  if (!valid(channel)) return SilentVolume;
  std::lock_guard lock(mutex_);
  return voices_[std::size_t(channel)].volume;
}

int SoundMixer::frequency(int channel) const {
  if (!valid(channel)) return 0;
  std::lock_guard lock(mutex_);
  return voices_[std::size_t(channel)].frequency;
}

int SoundMixer::outputRate() const { return outputRate_; }

std::int64_t SoundMixer::renderedFrames() const {
  std::lock_guard lock(mutex_);
  return renderedFrames_;
}

void SoundMixer::mixVoice(Voice& v, float* out, int frames) {
  const Wave& w = *v.wave;
  const std::uint64_t n = w.frameCount();
  const float* s = w.samples.data();
  const int channels = w.channelCount;
  int done = 0;
  while (done < frames) {
    const std::uint64_t i = v.position >> 32;
    if (i >= n) {
      if (v.mode == Mode::Looping && n > 0) {
        v.position %= n << 32;
        continue;
      }
      v.mode = Mode::Silent;
      v.position = 0;
      return;
    }
    if (i + 1 < n) {
      // Every position below the last frame has a next frame to lean towards.
      const std::uint64_t toLast = ((n - 1) << 32) - v.position;
      const std::uint64_t run = std::min<std::uint64_t>((toLast - 1) / v.step + 1, std::uint64_t(frames - done));
      v.position = mixRun(s, channels, v.position, v.step, v.gain, out + 2 * done, run);
      done += int(run);
      continue;
    }
    // The last frame leans towards the loop's start, or holds.
    const std::uint64_t next = v.mode == Mode::Looping ? 0 : i;
    const float f = fractionOf(v.position);
    for (int c = 0; c < 2; ++c) {
      const std::uint64_t side = channels == 2 ? std::uint64_t(c) : 0;
      const float a = s[i * std::uint64_t(channels) + side];
      const float b = s[next * std::uint64_t(channels) + side];
      out[2 * done + c] += (a + (b - a) * f) * v.gain;
    }
    v.position += v.step;
    ++done;
  }
  // A sound that ran out on this block's last frame is silent from here.
  if (v.mode == Mode::Once && (v.position >> 32) >= n) {
    v.mode = Mode::Silent;
    v.position = 0;
  }
}

void SoundMixer::render(float* out, int frames) {
  for (int at = 0; at < frames; at += BlockFrames) {
    const int count = std::min(BlockFrames, frames - at);
    float* block = out + 2 * at;
    std::fill(block, block + 2 * count, 0.0f);
    {
      std::lock_guard lock(mutex_);
      for (Voice& v : voices_)
        if (v.mode != Mode::Silent && v.wave && v.step > 0) mixVoice(v, block, count);
      renderedFrames_ += count;
    }
    for (int k = 0; k < 2 * count; ++k) block[k] = limit(block[k]);
  }
}

}  // namespace cab
