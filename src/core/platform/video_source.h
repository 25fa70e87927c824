#pragma once

#include <string>

namespace cab {

struct Picture;

// A video file read one frame at a time at random access.
class VideoSource {
 public:
  // Results of open().
  enum OpenResult {
    Opened = 0,
    BadFormat = 1,
    OutOfMemory = 2,
    ReadError = 3,
    CannotOpen = 4,
    NoFileInfo = 5,
    NoVideoStream = 6,
    NoDecoder = 7,
  };

  virtual ~VideoSource() = default;
  // Opens a video file, replacing the one open; on failure nothing is open.
  virtual int open(const std::string& path) = 0;
  virtual bool isOpen() const = 0;
  // Length of the open video in frames (0 when nothing is open).
  virtual int length() const = 0;
  // Decodes frame n (counted from 0) into `out`, at the video's size, pixels
  // 0xFFRRGGBB. False, leaving `out` unchanged, when nothing is open or the
  // frame does not exist.
  virtual bool frame(int n, Picture& out) = 0;
  virtual void close() = 0;
};

}  // namespace cab
