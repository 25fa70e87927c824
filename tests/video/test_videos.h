#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/common/picture.h"

namespace cab::testvideo {

// How a test video is encoded: a libavcodec encoder and its settings.
struct Encoding {
  Encoding(std::string encoderName, std::string inputFormat)
      : encoder(std::move(encoderName)), pixelFormat(std::move(inputFormat)) {}
  Encoding& withTag(std::string fourcc) {
    tag = std::move(fourcc);
    return *this;
  }
  Encoding& withBFrames(int count) {
    bFrames = count;
    return *this;
  }
  Encoding& withGop(int frames) {
    gop = frames;
    return *this;
  }
  Encoding& withOptions(std::string list) {
    options = std::move(list);
    return *this;
  }
  Encoding& withPackedBFrames() {
    packedBFrames = true;
    return *this;
  }
  Encoding& withEmptyChunks(std::vector<int> frames) {
    emptyChunks = std::move(frames);
    return *this;
  }

  std::string encoder;      // libavcodec's name of the encoder
  std::string pixelFormat;  // the picture format the encoder takes
  std::string tag;          // FourCC in an AVI, empty for the muxer's own
  int bFrames = 0;
  int gop = 30;
  std::string options;  // encoder options, "key=value:key=value"
  // MPEG-4 only: DivX-style packed B-frames, the first B-frame after a P-frame
  // in its chunk and an empty placeholder chunk after the last one.
  bool packedBFrames = false;
  // Frames written as empty chunks, as when a capture dropped them (intra-only codecs).
  std::vector<int> emptyChunks;
};

enum class Codec { Mjpeg, Mpeg4 };

// MJPEG, or MPEG-4 Part 2 tagged XVID; key frames every 30 and no B-frames.
Encoding encodingOf(Codec codec);

bool encoderAvailable(const Encoding& encoding);

// Writes a video of `frames` frames, the container chosen by the file's
// extension. Frame n shows n as a 4 x 3 grid of black and white blocks (bit 0
// top left), under a faint texture that changes from frame to frame so the
// codec has real work.
void writeNumberedVideo(const std::filesystem::path& path, const Encoding& encoding, int frames, int width, int height,
                        int fps = 30);
void writeNumberedVideo(const std::filesystem::path& path, Codec codec, int frames, int width, int height,
                        int fps = 30);

// Every picture of a plain decode of the whole file from its start, in the
// order the decoder puts them out, as 0xFFRRGGBB pixels.
std::vector<Picture> decodeAll(const std::filesystem::path& path);

// The number a decoded picture shows, or -1 when a block is neither black nor white.
int numberShown(const Picture& picture);

// Mean difference of two pictures of one size over the three colour channels, in levels.
double meanDifference(const Picture& a, const Picture& b);

// Writes an AVI that holds only a sound stream.
void writeAudioOnlyAvi(const std::filesystem::path& path);

}  // namespace cab::testvideo
