#include "core/presentation/front_video.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

#include "core/common/data_directory.h"
#include "core/platform/video_source.h"

namespace cab {

std::string frontMoviePath(const std::string& videoDirectory, const std::string& name) {
  return videoDirectory + name + ".avi";
}

std::vector<std::string> openMovieMessages(int result, const std::string& path) {
  std::vector<std::string> messages;
  switch (result) {
    case VideoSource::BadFormat:
      messages.push_back("映像ファイルを開けません" + path);
      break;
    case VideoSource::OutOfMemory:
      messages.push_back("メモリ不足");
      break;
    case VideoSource::ReadError:
      messages.push_back("読み取りエラー");
      break;
    case VideoSource::CannotOpen:
      messages.push_back("映像オープンエラー");
      break;
    case VideoSource::NoFileInfo:
      messages.push_back("FileInfoエラー");
      break;
    case VideoSource::NoVideoStream:
      messages.push_back("GetStreamエラー");
      break;
    case VideoSource::NoDecoder:
      messages.push_back("GetFrameOpenエラー");
      break;
    default:
      break;
  }
  if (result > VideoSource::NoFileInfo)
    messages.push_back("DivXビデオコーデックがインストールされていない可能性があります。");
  return messages;
}

namespace {

// A video named ".avi" that is not there may have been saved as MP4, Matroska
// or WebM under the same name; the first of them that exists is taken.
std::string moviePathToOpen(const DataDirectory& data, const std::string& path) {
  constexpr std::string_view avi = ".avi";
  const bool namedAvi = path.size() >= avi.size() &&
                        std::equal(avi.begin(), avi.end(), path.end() - avi.size(),
                                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
  if (!namedAvi || data.exists(path)) return path;
  const std::string stem = path.substr(0, path.size() - avi.size());
  for (const char* extension : {".mp4", ".mkv", ".webm"})
    if (data.exists(stem + extension)) return stem + extension;
  return path;
}

}  // namespace

FrontVideo::FrontVideo(VideoSource& source, const DataDirectory& data) : source_(source), data_(data) {}

int FrontVideo::OpenFrontMovie(const std::string& path) {
  return source_.open(data_.resolve(moviePathToOpen(data_, path)).string());
}

int FrontVideo::MovieLength() const { return source_.length(); }

void FrontVideo::GetMovieFrame(int n, Picture& target) {
  if (!source_.isOpen()) return;
  fetchBusy = 1;
  source_.frame(n, target);
  fetchBusy = 0;
}

std::vector<std::string> FrontVideo::openMainVideo(const std::string& path) {
  mainPath_ = path;
  return openMovieMessages(OpenFrontMovie(path), moviePathToOpen(data_, path));
}

void FrontVideo::reopenMainVideo() { OpenFrontMovie(mainPath_); }

void FrontVideo::startDrive(int frameCountFactor) {
  videoSwitchState = 0;
  frameCount = MovieLength() * frameCountFactor;
  // No frame is shown yet: even a start at frame 0 or 1 fetches its picture.
  shownFrame = -1;
  switchMovieFrame = 0;
}

void FrontVideo::fetch(int frame) {
  if (videoSwitchState > 2 || frame < 0) return;
  if (videoSwitchState == 0 && frame < frameCount && frame != shownFrame) {
    if (!fetchBusy) GetMovieFrame(frame, frameBitmap);
    shownFrame = frame;
  }
  if (videoSwitchState == 2) switchMovieFrame = frame - switchMovieBase;
  if ((videoSwitchState == 1 || videoSwitchState == 2) && switchMovieFrame != shownFrame) {
    if (!fetchBusy) GetMovieFrame(switchMovieFrame, frameBitmap);
    shownFrame = switchMovieFrame;
  }
}

void FrontVideo::advanceStationVideo(int clock, int videoFrameRate) {
  if (videoSwitchState == 1 && videoFrameRate > 0 && clock % videoFrameRate == 0) ++switchMovieFrame;
}

void FrontVideo::copyTo(Picture& surface) const {
  const int w = std::min(frameBitmap.width, surface.width);
  const int h = std::min(frameBitmap.height, surface.height);
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y)
    std::memcpy(surface.pixels.data() + static_cast<std::size_t>(y) * surface.width,
                frameBitmap.pixels.data() + static_cast<std::size_t>(y) * frameBitmap.width,
                static_cast<std::size_t>(w) * sizeof(std::uint32_t));
}

}  // namespace cab
