#pragma once

#include <functional>
#include <utility>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/shell/drive.h"
#include "headless/headless_platform.h"

namespace cab::testing {

// The headless platform of a drive run inside a test: a virtual clock,
// messages on stderr, settings in memory, nothing drawn, and the real
// picture and video decoders. `onClose` is what closing the window does.
struct TestPlatform {
  explicit TestPlatform(std::function<void()> onClose) : window(std::move(onClose)) {}
  DrivePlatform drivePlatform() { return {dialogs, settings, clock, status, surface, window, pictures, video}; }

  headless::VirtualClock clock;
  headless::StderrDialogs dialogs;
  headless::MemorySettingsStore settings;
  headless::SilentStatus status;
  headless::NullSurface surface;
  PictureDecoder pictures;
  FfmpegVideoSource video;
  headless::HeadlessWindow window;
};

}  // namespace cab::testing
