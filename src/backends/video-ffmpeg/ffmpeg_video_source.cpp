#include "backends/video-ffmpeg/ffmpeg_video_source.h"

#include <cerrno>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace cab {

namespace {

// Frames kept converted behind the newest one.
constexpr std::size_t RecentFrames = 12;
// Without a key-frame index, decoding forward is preferred up to this distance.
constexpr int ForwardWithoutIndex = 32;

int resultForOpenError(int error) {
  if (error == AVERROR(ENOENT) || error == AVERROR(ENOTDIR) || error == AVERROR(EACCES) || error == AVERROR(EISDIR))
    return VideoSource::CannotOpen;
  if (error == AVERROR(ENOMEM)) return VideoSource::OutOfMemory;
  if (error == AVERROR(EIO)) return VideoSource::ReadError;
  return VideoSource::BadFormat;
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

AVRational frameRateOf(const AVStream* stream) {
  if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0) return stream->avg_frame_rate;
  if (stream->r_frame_rate.num > 0 && stream->r_frame_rate.den > 0) return stream->r_frame_rate;
  return av_inv_q(stream->time_base);
}

}  // namespace

FfmpegVideoSource::FfmpegVideoSource() = default;

FfmpegVideoSource::~FfmpegVideoSource() { close(); }

void FfmpegVideoSource::close() {
  sws_freeContext(scaler_);
  scaler_ = nullptr;
  av_packet_free(&packet_);
  av_frame_free(&decodedFrame_);
  avcodec_free_context(&codec_);
  avformat_close_input(&format_);
  stream_ = -1;
  length_ = 0;
  current_ = -1;
  flushing_ = false;
  forgetRecent();
}

int FfmpegVideoSource::open(const std::string& path) {
  close();
  decoded_ = 0;
  // Route videos are AVI files: anything else is refused as a bad format.
  const AVInputFormat* avi = av_find_input_format("avi");
  if (const int error = avformat_open_input(&format_, path.c_str(), avi, nullptr); error < 0) {
    format_ = nullptr;
    return resultForOpenError(error);
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
  if (!codec_ || !decodedFrame_ || !packet_) {
    close();
    return OutOfMemory;
  }
  codec_->thread_count = 1;
  if (avcodec_parameters_to_context(codec_, parameters) < 0 || avcodec_open2(codec_, decoder, nullptr) < 0 ||
      codec_->width <= 0 || codec_->height <= 0) {
    close();
    return NoDecoder;
  }
  width_ = codec_->width;
  height_ = codec_->height;
  length_ = findLength();
  return Opened;
}

int FfmpegVideoSource::findLength() const {
  const AVStream* stream = format_->streams[stream_];
  if (stream->nb_frames > 0) return static_cast<int>(std::min<std::int64_t>(stream->nb_frames, INT32_MAX));
  if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
    return std::max(0, indexOf(ptsOf(0) + stream->duration));
  return 0;
}

long long FfmpegVideoSource::ptsOf(int index) const {
  const AVStream* stream = format_->streams[stream_];
  const long long start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
  return start + av_rescale_q(index, av_inv_q(frameRateOf(stream)), stream->time_base);
}

int FfmpegVideoSource::indexOf(long long pts) const {
  const AVStream* stream = format_->streams[stream_];
  const long long start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
  const auto rounding = static_cast<AVRounding>(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX);
  return static_cast<int>(av_rescale_q_rnd(pts - start, stream->time_base, av_inv_q(frameRateOf(stream)), rounding));
}

int FfmpegVideoSource::keyFrameAtOrBefore(int n) const {
  AVStream* stream = format_->streams[stream_];
  const AVIndexEntry* entry = avformat_index_get_entry_from_timestamp(stream, ptsOf(n), AVSEEK_FLAG_BACKWARD);
  return entry ? indexOf(entry->timestamp) : -1;
}

bool FfmpegVideoSource::seekTo(int n) {
  if (av_seek_frame(format_, stream_, ptsOf(n), AVSEEK_FLAG_BACKWARD) < 0 &&
      av_seek_frame(format_, stream_, ptsOf(0), AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) < 0)
    return false;
  avcodec_flush_buffers(codec_);
  current_ = -1;
  flushing_ = false;
  return true;
}

bool FfmpegVideoSource::decodeNext() {
  for (;;) {
    const int received = avcodec_receive_frame(codec_, decodedFrame_);
    if (received == 0) {
      const long long pts = decodedFrame_->best_effort_timestamp;
      current_ = pts == AV_NOPTS_VALUE ? current_ + 1 : indexOf(pts);
      ++decoded_;
      return true;
    }
    if (received != AVERROR(EAGAIN) || flushing_) return false;
    if (av_read_frame(format_, packet_) < 0) {
      flushing_ = true;
      avcodec_send_packet(codec_, nullptr);
      continue;
    }
    // A damaged packet is skipped; the decoder resynchronises on the next key frame.
    if (packet_->stream_index == stream_) avcodec_send_packet(codec_, packet_);
    av_packet_unref(packet_);
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

const AVFrame* FfmpegVideoSource::recent(int index) const {
  for (const auto& c : recent_)
    if (c.index == index) return c.frame;
  return nullptr;
}

// Keeps a reference to the decoded picture; it is converted only when asked for.
void FfmpegVideoSource::remember(int index) {
  if (recent(index)) return;
  AVFrame* kept = av_frame_clone(decodedFrame_);
  if (!kept) return;
  recent_.push_back({index, kept});
  if (recent_.size() > RecentFrames) {
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
  if (const AVFrame* kept = recent(n)) {
    convert(kept, out);
    return true;
  }
  const int key = keyFrameAtOrBefore(n);
  const bool forward =
      current_ >= 0 && n > current_ && !flushing_ && (key >= 0 ? key <= current_ : n - current_ <= ForwardWithoutIndex);
  if (!forward && !seekTo(n)) return false;
  for (bool retried = false;;) {
    if (!decodeNext()) return false;
    if (current_ == n) {
      remember(n);
      convert(decodedFrame_, out);
      return true;
    }
    if (current_ > n) {
      // The frame has no picture of its own (a dropped frame): the one before it stands.
      for (auto it = recent_.rbegin(); it != recent_.rend(); ++it)
        if (it->index < n && it->index >= n - static_cast<int>(RecentFrames)) {
          convert(it->frame, out);
          return true;
        }
      if (retried || !seekTo(0)) return false;
      retried = true;
      continue;
    }
    if (current_ > n - static_cast<int>(RecentFrames)) remember(current_);
  }
}

}  // namespace cab
