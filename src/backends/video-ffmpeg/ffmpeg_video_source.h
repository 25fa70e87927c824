#pragma once

#include <deque>
#include <memory>
#include <string>

#include "core/common/picture.h"
#include "core/platform/video_source.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace cab {

// Reads AVI (and any container libavformat knows) frame-exact by presentation
// time. A wanted frame is reached by decoding forward from the frame last
// decoded when no key frame lies between, otherwise by seeking to the key
// frame at or before it. The last few frames are kept decoded, so a train
// backing up a few frames needs no decoding.
class FfmpegVideoSource : public VideoSource {
 public:
  FfmpegVideoSource();
  ~FfmpegVideoSource() override;
  FfmpegVideoSource(const FfmpegVideoSource&) = delete;
  FfmpegVideoSource& operator=(const FfmpegVideoSource&) = delete;

  int open(const std::string& path) override;
  bool isOpen() const override { return codec_ != nullptr; }
  int length() const override { return length_; }
  bool frame(int n, Picture& out) override;
  void close() override;

  // Frames the decoder has put out since the file was opened (for measurements).
  long long decodedFrames() const { return decoded_; }

 private:
  struct Recent {
    int index;
    AVFrame* frame;
  };

  int findLength() const;
  long long ptsOf(int index) const;
  int indexOf(long long pts) const;
  // Key-frame index at or before n from the container's index, or -1.
  int keyFrameAtOrBefore(int n) const;
  bool seekTo(int n);
  // Decodes the next frame; false at the end of the stream or on an error.
  bool decodeNext();
  void convert(const AVFrame* decoded, Picture& out);
  const AVFrame* recent(int index) const;
  void remember(int index);
  void forgetRecent();

  AVFormatContext* format_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  AVFrame* decodedFrame_ = nullptr;
  AVPacket* packet_ = nullptr;
  SwsContext* scaler_ = nullptr;
  int stream_ = -1;
  int length_ = 0;
  int width_ = 0;
  int height_ = 0;
  int current_ = -1;  // index of the frame in decodedFrame_, -1 when none
  bool flushing_ = false;
  bool scalerFullRange_ = false;
  long long decoded_ = 0;
  std::deque<Recent> recent_;
};

}  // namespace cab
