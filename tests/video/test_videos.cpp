#include "tests/video/test_videos.h"

#include <stdexcept>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace cab::testvideo {

namespace {

constexpr int Columns = 4;
constexpr int Rows = 3;

void check(int result, const char* what) {
  if (result < 0) throw std::runtime_error(std::string("test video: ") + what);
}

int luminance(int n, int x, int y, int width, int height) {
  const int column = x * Columns / width, row = y * Rows / height;
  const bool bit = (n >> (row * Columns + column)) & 1;
  const unsigned hash = (static_cast<unsigned>(x) * 73856093u) ^ (static_cast<unsigned>(y) * 19349663u) ^
                        (static_cast<unsigned>(n) * 83492791u);
  const int texture = static_cast<int>(hash >> 27);  // 0..31
  return bit ? 255 - texture : texture;
}

void writePackets(AVCodecContext* encoder, AVFrame* frame, AVFormatContext* output, AVStream* stream) {
  check(avcodec_send_frame(encoder, frame), "send frame");
  AVPacket* packet = av_packet_alloc();
  while (avcodec_receive_packet(encoder, packet) == 0) {
    av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
    packet->stream_index = stream->index;
    check(av_interleaved_write_frame(output, packet), "write packet");
  }
  av_packet_free(&packet);
}

}  // namespace

void writeNumberedVideo(const std::filesystem::path& path, Codec codec, int frames, int width, int height, int fps) {
  AVFormatContext* output = nullptr;
  check(avformat_alloc_output_context2(&output, nullptr, "avi", path.c_str()), "output");
  const AVCodec* encoderCodec = avcodec_find_encoder(codec == Codec::Mjpeg ? AV_CODEC_ID_MJPEG : AV_CODEC_ID_MPEG4);
  if (!encoderCodec) throw std::runtime_error("test video: no encoder");
  AVStream* stream = avformat_new_stream(output, nullptr);
  AVCodecContext* encoder = avcodec_alloc_context3(encoderCodec);
  encoder->width = width;
  encoder->height = height;
  encoder->time_base = AVRational{1, fps};
  encoder->framerate = AVRational{fps, 1};
  encoder->gop_size = 30;
  encoder->max_b_frames = 0;
  encoder->pix_fmt = codec == Codec::Mjpeg ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
  encoder->flags |= AV_CODEC_FLAG_QSCALE;
  encoder->global_quality = FF_QP2LAMBDA * 4;
  if (codec == Codec::Mpeg4) encoder->codec_tag = MKTAG('X', 'V', 'I', 'D');
  if (output->oformat->flags & AVFMT_GLOBALHEADER) encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  check(avcodec_open2(encoder, encoderCodec, nullptr), "open encoder");
  check(avcodec_parameters_from_context(stream->codecpar, encoder), "parameters");
  stream->time_base = encoder->time_base;
  check(avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE), "open file");
  check(avformat_write_header(output, nullptr), "header");

  AVFrame* frame = av_frame_alloc();
  frame->format = encoder->pix_fmt;
  frame->width = width;
  frame->height = height;
  check(av_frame_get_buffer(frame, 0), "frame buffer");
  for (int n = 0; n < frames; ++n) {
    check(av_frame_make_writable(frame), "writable");
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) frame->data[0][y * frame->linesize[0] + x] = luminance(n, x, y, width, height);
    for (int plane = 1; plane < 3; ++plane)
      for (int y = 0; y < height / 2; ++y)
        for (int x = 0; x < width / 2; ++x) frame->data[plane][y * frame->linesize[plane] + x] = 128;
    frame->pts = n;
    writePackets(encoder, frame, output, stream);
  }
  writePackets(encoder, nullptr, output, stream);
  check(av_write_trailer(output), "trailer");
  av_frame_free(&frame);
  avcodec_free_context(&encoder);
  avio_closep(&output->pb);
  avformat_free_context(output);
}

int numberShown(const Picture& picture) {
  if (picture.empty()) return -1;
  int n = 0;
  for (int row = 0; row < Rows; ++row)
    for (int column = 0; column < Columns; ++column) {
      const int x = (2 * column + 1) * picture.width / (2 * Columns);
      const int y = (2 * row + 1) * picture.height / (2 * Rows);
      const std::uint32_t p = picture.at(x, y);
      const int grey = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
      if (grey > 170)
        n |= 1 << (row * Columns + column);
      else if (grey > 85)
        return -1;
    }
  return n;
}

void writeAudioOnlyAvi(const std::filesystem::path& path) {
  AVFormatContext* output = nullptr;
  check(avformat_alloc_output_context2(&output, nullptr, "avi", path.c_str()), "output");
  AVStream* stream = avformat_new_stream(output, nullptr);
  AVCodecParameters* p = stream->codecpar;
  p->codec_type = AVMEDIA_TYPE_AUDIO;
  p->codec_id = AV_CODEC_ID_PCM_S16LE;
  p->sample_rate = 8000;
  av_channel_layout_default(&p->ch_layout, 1);
  p->bits_per_coded_sample = 16;
  p->block_align = 2;
  p->bit_rate = 8000 * 16;
  stream->time_base = AVRational{1, 8000};
  check(avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE), "open file");
  check(avformat_write_header(output, nullptr), "header");
  std::vector<std::uint8_t> silence(1600, 0);
  for (int i = 0; i < 5; ++i) {
    AVPacket* packet = av_packet_alloc();
    check(av_new_packet(packet, static_cast<int>(silence.size())), "packet");
    std::copy(silence.begin(), silence.end(), packet->data);
    packet->pts = packet->dts = i * 800;
    packet->duration = 800;
    packet->stream_index = stream->index;
    check(av_interleaved_write_frame(output, packet), "write packet");
    av_packet_free(&packet);
  }
  check(av_write_trailer(output), "trailer");
  avio_closep(&output->pb);
  avformat_free_context(output);
}

}  // namespace cab::testvideo
