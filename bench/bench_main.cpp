// Frame fetch of the FFmpeg video source (forward, backward, random) at
// 640 x 480, and one full paint of the cab surface with 40 sprites (the
// mixer's benchmark is in mix_bench.cpp).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string_view>

#include "backends/qt/cab_surface_widget.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/presentation/sprite_model.h"
#include "tests/video/test_videos.h"

namespace {

namespace fs = std::filesystem;
using cab::testvideo::Codec;

constexpr int Frames = 300;

const fs::path& videoFile(Codec codec) {
  static const fs::path dir = fs::temp_directory_path() / ("cabview-bench-" + std::to_string(getpid()));
  static const fs::path mjpeg = [] {
    fs::create_directories(dir);
    auto p = dir / "mjpeg.avi";
    cab::testvideo::writeNumberedVideo(p, Codec::Mjpeg, Frames, 640, 480);
    return p;
  }();
  static const fs::path mpeg4 = [] {
    fs::create_directories(dir);
    auto p = dir / "xvid.avi";
    cab::testvideo::writeNumberedVideo(p, Codec::Mpeg4, Frames, 640, 480);
    return p;
  }();
  return codec == Codec::Mjpeg ? mjpeg : mpeg4;
}

enum class Order { Forward, Backward, Random };

void fetch(benchmark::State& state, Codec codec, Order order) {
  cab::FfmpegVideoSource source;
  if (source.open(videoFile(codec).string()) != cab::VideoSource::Opened) {
    state.SkipWithError("cannot open the video");
    return;
  }
  cab::Picture picture;
  std::mt19937 random(1);
  std::uniform_int_distribution<int> pick(0, Frames - 1);
  int n = 0;
  for (auto _ : state) {
    switch (order) {
      case Order::Forward:
        n = (n + 1) % Frames;
        break;
      case Order::Backward:
        n = (n + Frames - 1) % Frames;
        break;
      case Order::Random:
        n = pick(random);
        break;
    }
    source.frame(n, picture);
    benchmark::DoNotOptimize(picture.pixels.data());
  }
  state.counters["decoded_per_fetch"] =
      static_cast<double>(source.decodedFrames()) / static_cast<double>(std::max<long long>(1, state.iterations()));
}

BENCHMARK_CAPTURE(fetch, mjpeg_forward, Codec::Mjpeg, Order::Forward)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fetch, mjpeg_backward, Codec::Mjpeg, Order::Backward)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fetch, mjpeg_random, Codec::Mjpeg, Order::Random)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fetch, xvid_forward, Codec::Mpeg4, Order::Forward)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fetch, xvid_backward, Codec::Mpeg4, Order::Backward)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fetch, xvid_random, Codec::Mpeg4, Order::Random)->Unit(benchmark::kMicrosecond);

// 40 sprites like a cab panel: a panel, lamps, and 20 rotating needles.
cab::SpriteModel cabSprites() {
  cab::SpriteModel model;
  cab::ImageItem panel{"panel", cab::Picture(800, 185, 0xFF404040u), cab::Transparency::Opaque, 0, 0};
  cab::ImageItem lamp{"lamp", cab::Picture(128, 32, 0xFFFFC000u), cab::Transparency::BottomLeftPixel, 32, 32};
  lamp.picture.at(0, 31) = 0xFF000000u;
  cab::ImageItem needle{"needle", cab::Picture(8, 120, 0xFFFFFFFFu), cab::Transparency::BottomLeftPixel, 0, 0};
  needle.picture.at(0, 119) = 0xFF000000u;
  const int panelImage = model.addImage(panel), lampImage = model.addImage(lamp), needleImage = model.addImage(needle);
  model.addSprite({panelImage, 0, 600, 1, 0, 0, true, 0, 0, 255});
  for (int i = 0; i < 19; ++i) model.addSprite({lampImage, 20.0 + i * 40, 610, 2, 0, 0, true, i % 4, 0, 255});
  for (int i = 0; i < 20; ++i) model.addSprite({needleImage, 20.0 + i * 38, 640, 3, 0, 0, true, 0, 37 * i + 5, 255});
  return model;
}

void paint(benchmark::State& state) {
  cab::qt::CabSurfaceWidget surface(800, 785, nullptr);
  const cab::SpriteModel sprites = cabSprites();
  cab::Picture video(640, 480, 0xFF336699u);
  for (auto _ : state) {
    surface.fill(0);
    surface.drawVideoSurface(video);
    surface.drawSprites(sprites);
    surface.flip();
    benchmark::DoNotOptimize(surface.shownImage().constBits());
  }
}
BENCHMARK(paint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::puts(
          "usage: cabview-bench [--benchmark_filter=REGEX] [--benchmark_repetitions=N] [other benchmark flags]\n"
          "       cabview-bench --help | --version\n"
          "\n"
          "Measures the video frame fetch (MJPEG and MPEG-4, forward, backward, random) at 640 x 480\n"
          "and one paint of the cab surface with 40 sprites, and the sound mixer's share of a core\n"
          "for one second of 44.1 kHz stereo with all 320 channels playing.");
      return 0;
    }
    if (arg == "--version") {
      std::puts("cabview-bench " CABVIEW_VERSION);
      return 0;
    }
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(videoFile(Codec::Mjpeg).parent_path(), ignored);
  return 0;
}
