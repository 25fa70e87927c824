#include "avi_writer.h"

#include <QImage>
#include <stdexcept>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace cab::demo {

namespace {

void check(int result, const char* what) {
  if (result < 0) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(result, text, sizeof text);
    throw std::runtime_error(std::string(what) + ": " + text);
  }
}

}  // namespace

struct AviWriter::Impl {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  int width = 0;
  int height = 0;
  int count = 0;
  bool finished = false;

  void drain(bool flush) {
    check(avcodec_send_frame(codec, flush ? nullptr : frame), "encode");
    for (;;) {
      const int r = avcodec_receive_packet(codec, packet);
      if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
      check(r, "encode");
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      check(av_interleaved_write_frame(format, packet), "write frame");
    }
  }
};

AviWriter::AviWriter(const std::filesystem::path& path, int width, int height, int fps)
    : impl_(std::make_unique<Impl>()) {
  auto& d = *impl_;
  d.width = width;
  d.height = height;
  const std::string file = path.string();
  check(avformat_alloc_output_context2(&d.format, nullptr, "avi", file.c_str()), "open output");
  const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
  if (!encoder) throw std::runtime_error("no MPEG-4 encoder in libavcodec");
  d.stream = avformat_new_stream(d.format, nullptr);
  d.codec = avcodec_alloc_context3(encoder);
  d.codec->width = width;
  d.codec->height = height;
  d.codec->time_base = AVRational{1, fps};
  d.codec->framerate = AVRational{fps, 1};
  d.codec->pix_fmt = AV_PIX_FMT_YUV420P;
  d.codec->gop_size = 30;
  d.codec->max_b_frames = 0;
  d.codec->codec_tag = MKTAG('X', 'V', 'I', 'D');
  d.codec->flags |= AV_CODEC_FLAG_QSCALE;
  d.codec->global_quality = FF_QP2LAMBDA * 5;
  check(avcodec_open2(d.codec, encoder, nullptr), "open encoder");
  check(avcodec_parameters_from_context(d.stream->codecpar, d.codec), "stream parameters");
  d.stream->time_base = d.codec->time_base;
  d.stream->avg_frame_rate = d.codec->framerate;
  std::filesystem::create_directories(path.parent_path());
  check(avio_open(&d.format->pb, file.c_str(), AVIO_FLAG_WRITE), "open file");
  check(avformat_write_header(d.format, nullptr), "write header");
  d.frame = av_frame_alloc();
  d.frame->format = AV_PIX_FMT_YUV420P;
  d.frame->width = width;
  d.frame->height = height;
  check(av_frame_get_buffer(d.frame, 0), "frame buffer");
  d.packet = av_packet_alloc();
  d.scaler = sws_getContext(width, height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr,
                            nullptr, nullptr);
}

AviWriter::~AviWriter() {
  auto& d = *impl_;
  if (!d.finished && d.format && d.format->pb) {
    try {
      finish();
    } catch (...) {
      // A failing trailer leaves a broken file; the generator reports the first error.
    }
  }
  sws_freeContext(d.scaler);
  av_packet_free(&d.packet);
  av_frame_free(&d.frame);
  avcodec_free_context(&d.codec);
  if (d.format) {
    if (d.format->pb) avio_closep(&d.format->pb);
    avformat_free_context(d.format);
  }
}

void AviWriter::addFrame(const QImage& image) {
  auto& d = *impl_;
  check(av_frame_make_writable(d.frame), "frame writable");
  const uint8_t* src[1] = {image.constBits()};
  const int stride[1] = {static_cast<int>(image.bytesPerLine())};
  sws_scale(d.scaler, src, stride, 0, d.height, d.frame->data, d.frame->linesize);
  d.frame->quality = d.codec->global_quality;  // the fixed quantiser is taken per frame
  d.frame->pts = d.count++;
  d.frame->pict_type = (d.frame->pts % 30 == 0) ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
  d.drain(false);
}

void AviWriter::finish() {
  auto& d = *impl_;
  if (d.finished) return;
  d.finished = true;
  d.drain(true);
  check(av_write_trailer(d.format), "write trailer");
}

int AviWriter::frames() const { return impl_->count; }

}  // namespace cab::demo
