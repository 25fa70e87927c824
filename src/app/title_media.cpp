#include "app/title_media.h"

#include <cstddef>
#include <memory>
#include <span>

#include "backends/qt/sprite_painter.h"
#include "core/sound/wave.h"

namespace cab::app {

namespace {

// The video source tells no frame rate; the opening movie runs at 30 frames a second.
constexpr int MovieFrameMs = 1000 / 30;
constexpr int TitleSoundChannel = 0;

}  // namespace

TitleMedia::TitleMedia(DataDirectory data, FrameSink showFrame, AudioOut& audio)
    : data_(std::move(data)), showFrame_(std::move(showFrame)), audio_(audio), mixer_(audio.outputRate()) {
  movieTimer_.setTimerType(Qt::PreciseTimer);
  movieTimer_.setInterval(MovieFrameMs);
  QObject::connect(&movieTimer_, &QTimer::timeout, [this] { nextFrame(); });
  audio_.setSource([this](float* out, int frames) { mixer_.render(out, frames); });
}

TitleMedia::~TitleMedia() { audio_.setSource({}); }

bool TitleMedia::playMovie(const std::string& dataPath) {
  stop();
  if (video_.open(data_.resolve(dataPath).string()) != VideoSource::Opened) return false;
  frame_ = 0;
  nextFrame();
  movieTimer_.start();
  return true;
}

void TitleMedia::nextFrame() {
  if (!video_.frame(frame_, picture_)) {
    movieTimer_.stop();
    return;
  }
  showFrame_(qt::toImage(picture_));
  ++frame_;
}

bool TitleMedia::playSound(const std::string& dataPath) {
  stop();
  const auto bytes = data_.readBytes(dataPath);
  if (!bytes) return false;
  auto wave = decodeWave(std::as_bytes(std::span(bytes->data(), bytes->size())));
  if (!wave) return false;
  mixer_.bind(TitleSoundChannel, std::make_shared<const Wave>(std::move(*wave)));
  mixer_.play(TitleSoundChannel);
  return true;
}

void TitleMedia::stop() {
  movieTimer_.stop();
  video_.close();
  mixer_.stop(TitleSoundChannel);
}

}  // namespace cab::app
