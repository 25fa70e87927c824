// The sound mixer's share of one core: one second of 44.1 kHz stereo output
// with all 320 channels looping at once, pulled in the audio callback's
// 1024-frame buffers.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "core/sound/sound_mixer.h"

namespace {

constexpr int OutputRate = 44100;
constexpr int CallbackFrames = 1024;

double threadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Half a second of a tone, mono or stereo, at a source rate of its own.
std::shared_ptr<const cab::Wave> tone(int rate, int channels, double hz) {
  auto w = std::make_shared<cab::Wave>();
  w->sampleRate = rate;
  w->channelCount = channels;
  w->samples.resize(std::size_t(rate / 2 * channels));
  for (std::size_t i = 0; i < w->samples.size(); ++i)
    w->samples[i] = 0.5f * float(std::sin(2 * std::numbers::pi * hz * double(i / std::size_t(channels)) / rate));
  return w;
}

void mix320Channels(benchmark::State& state) {
  cab::SoundMixer mixer(OutputRate);
  const std::shared_ptr<const cab::Wave> waves[] = {tone(22050, 1, 300), tone(44100, 1, 500), tone(11025, 2, 200),
                                                    tone(44100, 2, 700)};
  for (int c = 0; c < cab::SoundMixer::ChannelCount; ++c) {
    mixer.bind(c, waves[c % 4]);
    // Pitch ratios from 0.5 to 2, as the motor and rail sounds use.
    mixer.setFrequency(c, int(mixer.sourceRate(c) * (0.5 + 1.5 * c / cab::SoundMixer::ChannelCount)));
    mixer.setVolume(c, -(c % 7) * 100);
    mixer.loop(c);
  }
  std::vector<float> buffer(2 * CallbackFrames);
  double spent = 0;
  for (auto _ : state) {
    const double start = threadCpuSeconds();
    for (int done = 0; done < OutputRate; done += CallbackFrames) {
      mixer.render(buffer.data(), std::min(CallbackFrames, OutputRate - done));
      benchmark::DoNotOptimize(buffer.data());
    }
    spent += threadCpuSeconds() - start;
  }
  // Each iteration is one second of sound: its processor time in seconds is
  // the share of a core (other processes on the machine do not count).
  state.counters["core_percent"] = 100 * spent / double(state.iterations());
}
BENCHMARK(mix320Channels)->Unit(benchmark::kMillisecond);

}  // namespace
