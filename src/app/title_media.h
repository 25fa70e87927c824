#pragma once

#include <QImage>
#include <QTimer>
#include <functional>
#include <string>

#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/common/data_directory.h"
#include "core/common/picture.h"
#include "core/platform/audio_out.h"
#include "core/sound/sound_mixer.h"

namespace cab::app {

// The title window's media player: it plays the opening movie's pictures
// into a callback, frame after frame, and a title sound on its sound output.
// One thing plays at a time; the last picture of a movie stays shown.
class TitleMedia {
 public:
  using FrameSink = std::function<void(const QImage&)>;

  TitleMedia(DataDirectory data, FrameSink showFrame, AudioOut& audio);
  ~TitleMedia();

  // False when the file cannot be opened or decoded.
  bool playMovie(const std::string& dataPath);
  bool playSound(const std::string& dataPath);
  void stop();

 private:
  void nextFrame();

  DataDirectory data_;
  FrameSink showFrame_;
  FfmpegVideoSource video_;
  Picture picture_;
  int frame_ = 0;
  QTimer movieTimer_;
  AudioOut& audio_;
  SoundMixer mixer_;
};

}  // namespace cab::app
