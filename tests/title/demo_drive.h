#pragma once

#include <memory>
#include <string>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/shell/drive.h"
#include "headless/headless_platform.h"
#include "headless/mixer_advance.h"
#include "tests/demo/demo_set.h"

namespace cab::testing {

// A drive on the small demo set with the headless runner's platform, loaded;
// its options come from `store`. Sounds end on the virtual clock.
struct DemoDrive {
  DemoDrive(SettingsStore& store, const std::string& routeFile)
      : drive(DataDirectory(demoDir()), DrivePlatform{dialogs, store, clock, status, surface, window, pictures, video},
              DriveRequest{routeFile, "", "train_E231.dat", 0, std::nullopt}) {
    drive.FormCreate();
    sound = std::make_unique<headless::MixerAdvance>(*drive.sound, nullptr);
  }

  // Brings the clock and the mixer to t (ms).
  void at(long long t) {
    clock.setMs(t);
    sound->advanceTo(t);
  }

  headless::VirtualClock clock;
  headless::StderrDialogs dialogs;
  headless::SilentStatus status;
  headless::NullSurface surface;
  PictureDecoder pictures;
  FfmpegVideoSource video;
  headless::HeadlessWindow window{[this] { drive.FormCloseQuery(); }};
  Drive drive;
  std::unique_ptr<headless::MixerAdvance> sound;
};

}  // namespace cab::testing
