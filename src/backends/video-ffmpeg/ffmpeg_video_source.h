#pragma once

#include <deque>
#include <string>
#include <vector>

#include "backends/video-ffmpeg/picture_order.h"
#include "core/common/picture.h"
#include "core/platform/video_source.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVBSFContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace cab {

// Reads the first video stream of an AVI, MP4 (QuickTime) or Matroska/WebM
// file frame-exact; other containers are refused as a bad format. Frame n is
// the n-th picture in presentation order, whatever the codec's reordering (an
// AVI keeps a frame's place for an empty chunk: that frame shows the picture
// before it). Opening lists the stream's packets (from an AVI's index, or by
// reading the file through once) and PictureOrder tells where each picture is
// shown. A wanted frame is reached by decoding on from the frame last decoded
// when no key frame lies between, otherwise by seeking to the key frame it
// needs. The last few frames are kept decoded, so a train backing up a few
// frames needs no decoding. MPEG-4 packets with DivX-style packed B-frames are
// unpacked before decoding.
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
  // Where a packet is sought and how it is recognised when read after a seek.
  struct PacketPlace {
    long long seekTime;
    long long identity;  // its timestamp (from an AVI index) or its file position
  };
  struct Recent {
    int position;
    AVFrame* frame;
  };

  int openUnpacker();
  void listPackets();
  bool readPacket();
  // Seeks to the key entry `start` (or the start of the stream) and begins a decoding run there.
  bool startRun(int start);
  int landedEntry(int wanted) const;
  // Gives the decoder its next packet; false on a read or filter failure.
  bool feedDecoder();
  void sendToDecoder(AVPacket* packet);
  // Decodes the next picture of the run; false at its end or on an error.
  bool decodeNext();
  bool picture(int position, Picture& out, bool mayStepBack);
  void convert(const AVFrame* decoded, Picture& out);
  const AVFrame* recent(int position) const;
  void remember(int position);
  void forgetRecent();

  AVFormatContext* format_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  AVBSFContext* unpacker_ = nullptr;  // MPEG-4 only
  AVFrame* decodedFrame_ = nullptr;
  AVPacket* packet_ = nullptr;    // as read from the file
  AVPacket* unpacked_ = nullptr;  // as put out by the unpacker
  SwsContext* scaler_ = nullptr;
  int stream_ = -1;
  int length_ = 0;
  int width_ = 0;
  int height_ = 0;
  PictureOrder order_;
  std::vector<PacketPlace> places_;  // by entry
  bool placesByFilePosition_ = false;
  // The decoding run.
  bool running_ = false;        // a run is under way and has not reached the end of the stream
  bool packetPending_ = false;  // packet_ holds the run's first packet, read while seeking
  int nextEntry_ = 0;           // entry of the next packet read
  int shown_ = -1;              // position of the picture in decodedFrame_, -1 when not known
  int lastShown_ = -1;          // highest position the run has put out
  bool scalerFullRange_ = false;
  long long decoded_ = 0;
  std::deque<Recent> recent_;
};

}  // namespace cab
