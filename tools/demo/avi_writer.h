#pragma once
#include <filesystem>
#include <memory>

class QImage;

namespace cab::demo {

// Writes frames into an AVI file as MPEG-4 Part 2 video (FourCC XVID),
// a key frame every 30 frames and no B-frames, so that any frame can be
// decoded with at most 29 predecessors.
class AviWriter {
 public:
  AviWriter(const std::filesystem::path& path, int width, int height, int fps);
  ~AviWriter();
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  void addFrame(const QImage& frame);  // RGB32, width × height
  void finish();
  int frames() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace cab::demo
