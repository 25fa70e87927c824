#include "backends/video-ffmpeg/ffmpeg_video_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace cab {

namespace {

// Frames kept converted behind the newest one.
constexpr int RecentFrames = 12;

int resultForOpenError(int error) {
  if (error == AVERROR(ENOENT) || error == AVERROR(ENOTDIR) || error == AVERROR(EACCES) || error == AVERROR(EISDIR))
    return VideoSource::CannotOpen;
  if (error == AVERROR(ENOMEM)) return VideoSource::OutOfMemory;
  if (error == AVERROR(EIO)) return VideoSource::ReadError;
  return VideoSource::BadFormat;
}

bool isAvi(const AVFormatContext* format) { return std::strcmp(format->iformat->name, "avi") == 0; }

// The containers route videos come in (libavformat's names of their demuxers).
bool isVideoContainer(const AVFormatContext* format) {
  for (const char* name : {"avi", "mov,mp4,m4a,3gp,3g2,mj2", "matroska,webm"})
    if (std::strcmp(format->iformat->name, name) == 0) return true;
  return false;
}

// JPEG-range formats are the plain ones with full-range levels.
AVPixelFormat withoutJpegRange(AVPixelFormat format, bool& fullRange) {
  switch (format) {
    case AV_PIX_FMT_YUVJ420P:
      fullRange = true;
      return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P:
      fullRange = true;
      return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P:
      fullRange = true;
      return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P:
      fullRange = true;
      return AV_PIX_FMT_YUV440P;
    case AV_PIX_FMT_YUVJ411P:
      fullRange = true;
      return AV_PIX_FMT_YUV411P;
    default:
      return format;
  }
}

}  // namespace

FfmpegVideoSource::FfmpegVideoSource() = default;

FfmpegVideoSource::~FfmpegVideoSource() { close(); }

void FfmpegVideoSource::close() {
  sws_freeContext(scaler_);
  scaler_ = nullptr;
  av_packet_free(&packet_);
  av_packet_free(&unpacked_);
  av_frame_free(&decodedFrame_);
  av_bsf_free(&unpacker_);
  avcodec_free_context(&codec_);
  avformat_close_input(&format_);
  stream_ = -1;
  length_ = 0;
  order_.clear();
  places_.clear();
  running_ = false;
  packetPending_ = false;
  forgetRecent();
}

int FfmpegVideoSource::open(const std::string& path) {
  close();
  decoded_ = 0;
  if (const int error = avformat_open_input(&format_, path.c_str(), nullptr, nullptr); error < 0) {
    format_ = nullptr;
    return resultForOpenError(error);
  }
  if (!isVideoContainer(format_)) {
    close();
    return BadFormat;
  }
  if (avformat_find_stream_info(format_, nullptr) < 0) {
    close();
    return NoFileInfo;
  }
  for (unsigned i = 0; i < format_->nb_streams; ++i) {
    if (stream_ < 0 && format_->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
      stream_ = static_cast<int>(i);
    else
      format_->streams[i]->discard = AVDISCARD_ALL;
  }
  if (stream_ < 0) {
    close();
    return NoVideoStream;
  }
  const AVCodecParameters* parameters = format_->streams[stream_]->codecpar;
  const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
  if (!decoder) {
    close();
    return NoDecoder;
  }
  codec_ = avcodec_alloc_context3(decoder);
  decodedFrame_ = av_frame_alloc();
  packet_ = av_packet_alloc();
  unpacked_ = av_packet_alloc();
  if (!codec_ || !decodedFrame_ || !packet_ || !unpacked_) {
    close();
    return OutOfMemory;
  }
  if (const int result = openUnpacker(); result != Opened) {
    close();
    return result;
  }
  codec_->thread_count = 1;
  if (avcodec_parameters_to_context(codec_, unpacker_ ? unpacker_->par_out : parameters) < 0 ||
      avcodec_open2(codec_, decoder, nullptr) < 0 || codec_->width <= 0 || codec_->height <= 0) {
    close();
    return NoDecoder;
  }
  width_ = codec_->width;
  height_ = codec_->height;
  listPackets();
  order_.finish(parameters->video_delay > 0);
  length_ = order_.frames();
  // An AVI's header counts its frames, empty chunks at the end included.
  if (isAvi(format_))
    length_ = static_cast<int>(std::clamp<long long>(format_->streams[stream_]->nb_frames, length_, INT32_MAX));
  return Opened;
}

// DivX-style packed B-frames (a P-frame and a B-frame in one chunk, an empty
// placeholder chunk after) become one picture per packet. Only an MPEG-4
// stream that may hold B-frames needs it; the filter reads through every packet.
int FfmpegVideoSource::openUnpacker() {
  const AVCodecParameters* parameters = format_->streams[stream_]->codecpar;
  if (parameters->codec_id != AV_CODEC_ID_MPEG4 || parameters->video_delay == 0) return Opened;
  const AVBitStreamFilter* filter = av_bsf_get_by_name("mpeg4_unpack_bframes");
  if (!filter) return Opened;
  if (av_bsf_alloc(filter, &unpacker_) < 0) return OutOfMemory;
  unpacker_->time_base_in = format_->streams[stream_]->time_base;
  if (avcodec_parameters_copy(unpacker_->par_in, parameters) < 0 || av_bsf_init(unpacker_) < 0) return NoDecoder;
  return Opened;
}

// An AVI index lists every packet with its place in the stream; other files are
// read through once. An AVI's timestamps count chunks, so a frame whose chunk is
// empty keeps its place; in other containers the pictures are counted.
void FfmpegVideoSource::listPackets() {
  AVStream* stream = format_->streams[stream_];
  const bool avi = isAvi(format_);
  int lastSlot = -1;
  const auto add = [&](long long timestamp, bool key, PacketPlace place) {
    lastSlot = avi && timestamp > lastSlot && timestamp < INT32_MAX ? static_cast<int>(timestamp) : lastSlot + 1;
    order_.add(lastSlot, key);
    places_.push_back(place);
  };
  if (const int entries = avformat_index_get_entries_count(stream); avi && entries > 0) {
    placesByFilePosition_ = false;
    for (int i = 0; i < entries; ++i) {
      const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
      if (entry->size > 0) add(entry->timestamp, entry->flags & AVINDEX_KEYFRAME, {entry->timestamp, entry->timestamp});
    }
    return;
  }
  placesByFilePosition_ = true;
  while (readPacket()) {
    // Seeking takes presentation times where the container has them.
    const long long seekTime = packet_->pts != AV_NOPTS_VALUE ? packet_->pts : packet_->dts;
    add(packet_->dts, packet_->flags & AV_PKT_FLAG_KEY, {seekTime, packet_->pos});
    av_packet_unref(packet_);
  }
}

// The next non-empty packet of the video stream.
bool FfmpegVideoSource::readPacket() {
  if (packetPending_) {
    packetPending_ = false;
    return true;
  }
  for (;;) {
    if (av_read_frame(format_, packet_) < 0) return false;
    if (packet_->stream_index == stream_ && packet_->size > 0) break;
    av_packet_unref(packet_);
  }
  return true;
}

int FfmpegVideoSource::landedEntry(int wanted) const {
  const long long identity = placesByFilePosition_ ? packet_->pos : packet_->dts;
  for (int entry = wanted; entry >= 0; --entry)
    if (places_[entry].identity == identity) return order_.startsSegment(entry) ? entry : -1;
  return -1;
}

bool FfmpegVideoSource::startRun(int start) {
  running_ = false;
  if (packetPending_) av_packet_unref(packet_);
  packetPending_ = false;
  // At the start entry, or failing that at the first packet, key frame or not.
  for (const int target : {start, 0}) {
    const int flags = target == start ? AVSEEK_FLAG_BACKWARD : AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY;
    if (av_seek_frame(format_, stream_, places_[target].seekTime, flags) < 0 || !readPacket()) continue;
    if (const int landed = landedEntry(target); landed >= 0) {
      avcodec_flush_buffers(codec_);
      if (unpacker_) av_bsf_flush(unpacker_);
      packetPending_ = true;
      nextEntry_ = landed;
      order_.beginRun(landed);
      lastShown_ = -1;
      running_ = true;
      return true;
    }
    av_packet_unref(packet_);
  }
  return false;
}

void FfmpegVideoSource::sendToDecoder(AVPacket* packet) {
  // A damaged packet is skipped; the decoder resynchronises on the next key frame.
  avcodec_send_packet(codec_, packet);
  av_packet_unref(packet);
}

bool FfmpegVideoSource::feedDecoder() {
  for (;;) {
    if (unpacker_) {
      const int result = av_bsf_receive_packet(unpacker_, unpacked_);
      if (result == 0) {
        sendToDecoder(unpacked_);
        return true;
      }
      if (result == AVERROR_EOF) return avcodec_send_packet(codec_, nullptr) == 0;
      if (result != AVERROR(EAGAIN)) return false;
    }
    if (!readPacket()) {
      // The end of the stream: the decoder (after the unpacker) gives out what it holds.
      if (unpacker_) {
        if (av_bsf_send_packet(unpacker_, nullptr) < 0) return false;
        continue;
      }
      return avcodec_send_packet(codec_, nullptr) == 0;
    }
    // The entry number travels with the packet, so a decoded picture tells which packet it came from.
    packet_->pts = packet_->dts = nextEntry_++;
    if (!unpacker_) {
      sendToDecoder(packet_);
      return true;
    }
    if (av_bsf_send_packet(unpacker_, packet_) < 0) av_packet_unref(packet_);
  }
}

bool FfmpegVideoSource::decodeNext() {
  for (;;) {
    const int received = avcodec_receive_frame(codec_, decodedFrame_);
    if (received == 0) {
      ++decoded_;
      const long long entry =
          decodedFrame_->pts != AV_NOPTS_VALUE ? decodedFrame_->pts : decodedFrame_->best_effort_timestamp;
      shown_ = entry >= 0 && entry < order_.size() ? order_.placeOutput(static_cast<int>(entry)) : -1;
      lastShown_ = std::max(lastShown_, shown_);
      return true;
    }
    if (received != AVERROR(EAGAIN) || !feedDecoder()) {
      running_ = false;
      return false;
    }
  }
}

void FfmpegVideoSource::convert(const AVFrame* decoded, Picture& out) {
  bool fullRange = decoded->color_range == AVCOL_RANGE_JPEG;
  const AVPixelFormat source = withoutJpegRange(static_cast<AVPixelFormat>(decoded->format), fullRange);
  SwsContext* previous = scaler_;
  scaler_ = sws_getCachedContext(scaler_, decoded->width, decoded->height, source, width_, height_, AV_PIX_FMT_BGRA,
                                 SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!scaler_) return;
  if (scaler_ != previous || fullRange != scalerFullRange_) {
    const int* coefficients = sws_getCoefficients(SWS_CS_DEFAULT);
    sws_setColorspaceDetails(scaler_, coefficients, fullRange ? 1 : 0, coefficients, 1, 0, 1 << 16, 1 << 16);
    scalerFullRange_ = fullRange;
  }
  if (out.width != width_ || out.height != height_) out = Picture(width_, height_);
  // 0xAARRGGBB words are B, G, R, A bytes in memory on this little-endian machine.
  std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(out.pixels.data()), nullptr, nullptr, nullptr};
  int strides[4] = {width_ * 4, 0, 0, 0};
  sws_scale(scaler_, decoded->data, decoded->linesize, 0, decoded->height, planes, strides);
}

const AVFrame* FfmpegVideoSource::recent(int position) const {
  for (const auto& c : recent_)
    if (c.position == position) return c.frame;
  return nullptr;
}

// Keeps a reference to the decoded picture; it is converted only when asked for.
void FfmpegVideoSource::remember(int position) {
  if (recent(position)) return;
  AVFrame* kept = av_frame_clone(decodedFrame_);
  if (!kept) return;
  recent_.push_back({position, kept});
  if (recent_.size() > static_cast<std::size_t>(RecentFrames)) {
    av_frame_free(&recent_.front().frame);
    recent_.pop_front();
  }
}

void FfmpegVideoSource::forgetRecent() {
  for (auto& c : recent_) av_frame_free(&c.frame);
  recent_.clear();
}

bool FfmpegVideoSource::frame(int n, Picture& out) {
  if (!isOpen() || n < 0 || n >= length_) return false;
  const int position = order_.positionOfFrame(n);
  return position >= 0 && picture(position, out, true);
}

bool FfmpegVideoSource::picture(int position, Picture& out, bool mayStepBack) {
  if (const AVFrame* kept = recent(position)) {
    convert(kept, out);
    return true;
  }
  // Decoding on is never more work than seeking back to where a new run would begin.
  const int start = order_.runStartFor(position);
  const bool onward = running_ && lastShown_ < position && order_.runPlaces(position) && start <= nextEntry_;
  if (!onward && !startRun(start)) return false;
  while (decodeNext()) {
    if (shown_ == position) {
      remember(position);
      convert(decodedFrame_, out);
      return true;
    }
    if (shown_ > position) break;
    if (shown_ >= 0 && shown_ > position - RecentFrames) remember(shown_);
  }
  // The position put out no picture of its own (a skipped or damaged one): the one before it stands.
  for (int before = position - 1; before >= 0 && before > position - RecentFrames; --before)
    if (const AVFrame* kept = recent(before)) {
      convert(kept, out);
      return true;
    }
  return mayStepBack && position > 0 && picture(position - 1, out, false);
}

}  // namespace cab
