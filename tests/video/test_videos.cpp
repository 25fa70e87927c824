#include "tests/video/test_videos.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
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

// The coding type of the first VOP of an MPEG-4 packet: 0 I, 1 P, 2 B; -1 without one.
int vopType(const AVPacket* packet) {
  for (int i = 0; i + 4 < packet->size; ++i)
    if (packet->data[i] == 0 && packet->data[i + 1] == 0 && packet->data[i + 2] == 1 && packet->data[i + 3] == 0xB6)
      return packet->data[i + 4] >> 6;
  return -1;
}

struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;

// Writes the encoder's packets, in decode order, to the file, some maybe
// emptied; packed, a
// reference frame followed by a B-frame shares its chunk with it and the run
// of B-frames ends with a not-coded VOP, so every chunk gives one picture.
class PacketWriter {
 public:
  PacketWriter(AVFormatContext* output, AVStream* stream, AVRational timeBase, const Encoding& encoding)
      : output_(output),
        stream_(stream),
        timeBase_(timeBase),
        packed_(encoding.packedBFrames),
        emptyChunks_(encoding.emptyChunks) {}

  void add(const AVPacket* encoded) {
    PacketPtr packet(av_packet_clone(encoded));
    if (std::count(emptyChunks_.begin(), emptyChunks_.end(), packet->pts)) {
      PacketPtr empty(av_packet_alloc());
      av_packet_copy_props(empty.get(), packet.get());
      return write(empty.get());
    }
    if (!packed_) return write(packet.get());
    if (vopType(packet.get()) != 2) {
      if (afterBFrames_) writeNotCoded();
      afterBFrames_ = false;
      if (held_) write(held_.get());
      held_ = std::move(packet);
      return;
    }
    if (held_) {
      packet = joined(held_.get(), packet.get());
      held_.reset();
    }
    write(packet.get());
    afterBFrames_ = true;
  }

  void finish() {
    if (afterBFrames_) writeNotCoded();
    if (held_) write(held_.get());
    held_.reset();
  }

 private:
  void write(AVPacket* packet) {
    if (packed_) {
      // One chunk per frame: the chunk's place is its time.
      packet->pts = packet->dts = chunks_++;
      if (chunks_ == 1) packet = markedPacked(packet);
    }
    av_packet_rescale_ts(packet, timeBase_, stream_->time_base);
    packet->stream_index = stream_->index;
    check(av_interleaved_write_frame(output_, packet), "write packet");
  }

  static PacketPtr joined(const AVPacket* first, const AVPacket* second) {
    PacketPtr packet(av_packet_alloc());
    check(av_new_packet(packet.get(), first->size + second->size), "packet");
    av_packet_copy_props(packet.get(), first);
    std::memcpy(packet->data, first->data, first->size);
    std::memcpy(packet->data + first->size, second->data, second->size);
    return packet;
  }

  // A P-VOP with vop_coded 0: the picture before it stands.
  void writeNotCoded() {
    const std::uint8_t notCoded[] = {0x00, 0x00, 0x01, 0xB6, 0x50, 0x4F};
    PacketPtr packet(av_packet_alloc());
    check(av_new_packet(packet.get(), sizeof notCoded), "packet");
    std::memcpy(packet->data, notCoded, sizeof notCoded);
    write(packet.get());
  }

  // The first chunk gets the user data by which DivX marks a packed stream.
  AVPacket* markedPacked(AVPacket* packet) {
    const char userData[] =
        "\x00\x00\x01\xB2"
        "DivX503b1393p";
    const int size = sizeof userData - 1;
    marked_.reset(av_packet_alloc());
    check(av_new_packet(marked_.get(), packet->size + size), "packet");
    av_packet_copy_props(marked_.get(), packet);
    int vop = 0;
    while (vop + 3 < packet->size && std::memcmp(packet->data + vop, "\x00\x00\x01\xB6", 4) != 0) ++vop;
    std::memcpy(marked_->data, packet->data, vop);
    std::memcpy(marked_->data + vop, userData, size);
    std::memcpy(marked_->data + vop + size, packet->data + vop, packet->size - vop);
    return marked_.get();
  }

  AVFormatContext* output_;
  AVStream* stream_;
  AVRational timeBase_;
  bool packed_;
  std::vector<int> emptyChunks_;
  PacketPtr held_;
  PacketPtr marked_;
  bool afterBFrames_ = false;
  long long chunks_ = 0;
};

void encode(AVCodecContext* encoder, const AVFrame* frame, PacketWriter& writer) {
  check(avcodec_send_frame(encoder, frame), "send frame");
  PacketPtr packet(av_packet_alloc());
  while (avcodec_receive_packet(encoder, packet.get()) == 0) {
    writer.add(packet.get());
    av_packet_unref(packet.get());
  }
}

AVPixelFormat pixelFormat(const std::string& name) {
  const AVPixelFormat format = av_get_pix_fmt(name.c_str());
  if (format == AV_PIX_FMT_NONE) throw std::runtime_error("test video: no pixel format " + name);
  return format;
}

}  // namespace

Encoding encodingOf(Codec codec) {
  // A fixed quantiser of 4.
  const std::string quality = "flags=+qscale:global_quality=" + std::to_string(FF_QP2LAMBDA * 4);
  if (codec == Codec::Mjpeg) return Encoding("mjpeg", "yuvj420p").withOptions(quality);
  return Encoding("mpeg4", "yuv420p").withTag("XVID").withOptions(quality);
}

bool encoderAvailable(const Encoding& encoding) { return avcodec_find_encoder_by_name(encoding.encoder.c_str()); }

void writeNumberedVideo(const std::filesystem::path& path, Codec codec, int frames, int width, int height, int fps) {
  writeNumberedVideo(path, encodingOf(codec), frames, width, height, fps);
}

void writeNumberedVideo(const std::filesystem::path& path, const Encoding& encoding, int frames, int width, int height,
                        int fps) {
  AVFormatContext* output = nullptr;
  check(avformat_alloc_output_context2(&output, nullptr, nullptr, path.c_str()), "output");
  const AVCodec* encoderCodec = avcodec_find_encoder_by_name(encoding.encoder.c_str());
  if (!encoderCodec) throw std::runtime_error("test video: no encoder " + encoding.encoder);
  AVStream* stream = avformat_new_stream(output, nullptr);
  AVCodecContext* encoder = avcodec_alloc_context3(encoderCodec);
  encoder->width = width;
  encoder->height = height;
  encoder->time_base = AVRational{1, fps};
  encoder->framerate = AVRational{fps, 1};
  encoder->gop_size = encoding.gop;
  encoder->max_b_frames = encoding.bFrames;
  encoder->thread_count = 1;
  encoder->pix_fmt = pixelFormat(encoding.pixelFormat);
  if (!encoding.tag.empty())
    encoder->codec_tag = MKTAG(encoding.tag[0], encoding.tag[1], encoding.tag[2], encoding.tag[3]);
  if (output->oformat->flags & AVFMT_GLOBALHEADER) encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVDictionary* options = nullptr;
  check(av_dict_parse_string(&options, encoding.options.c_str(), "=", ":", 0), "options");
  const int opened = avcodec_open2(encoder, encoderCodec, &options);
  av_dict_free(&options);
  check(opened, "open encoder");
  check(avcodec_parameters_from_context(stream->codecpar, encoder), "parameters");
  stream->time_base = encoder->time_base;
  stream->avg_frame_rate = encoder->framerate;
  check(avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE), "open file");
  check(avformat_write_header(output, nullptr), "header");

  AVFrame* grey = av_frame_alloc();
  grey->format = AV_PIX_FMT_GRAY8;
  grey->width = width;
  grey->height = height;
  check(av_frame_get_buffer(grey, 0), "frame buffer");
  AVFrame* frame = av_frame_alloc();
  frame->format = encoder->pix_fmt;
  frame->width = width;
  frame->height = height;
  check(av_frame_get_buffer(frame, 0), "frame buffer");
  SwsContext* scaler = sws_getContext(width, height, AV_PIX_FMT_GRAY8, width, height, encoder->pix_fmt, SWS_POINT,
                                      nullptr, nullptr, nullptr);
  if (!scaler) throw std::runtime_error("test video: no conversion to " + encoding.pixelFormat);
  PacketWriter writer(output, stream, encoder->time_base, encoding);
  for (int n = 0; n < frames; ++n) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) grey->data[0][y * grey->linesize[0] + x] = luminance(n, x, y, width, height);
    check(av_frame_make_writable(frame), "writable");
    sws_scale(scaler, grey->data, grey->linesize, 0, height, frame->data, frame->linesize);
    frame->pts = n;
    encode(encoder, frame, writer);
  }
  encode(encoder, nullptr, writer);
  writer.finish();
  check(av_write_trailer(output), "trailer");
  sws_freeContext(scaler);
  av_frame_free(&frame);
  av_frame_free(&grey);
  avcodec_free_context(&encoder);
  avio_closep(&output->pb);
  avformat_free_context(output);
}

std::vector<Picture> decodeAll(const std::filesystem::path& path) {
  AVFormatContext* input = nullptr;
  check(avformat_open_input(&input, path.c_str(), nullptr, nullptr), "open input");
  check(avformat_find_stream_info(input, nullptr), "stream info");
  const int stream = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  check(stream, "video stream");
  const AVCodec* decoderCodec = avcodec_find_decoder(input->streams[stream]->codecpar->codec_id);
  if (!decoderCodec) throw std::runtime_error("test video: no decoder");
  AVCodecContext* decoder = avcodec_alloc_context3(decoderCodec);
  check(avcodec_parameters_to_context(decoder, input->streams[stream]->codecpar), "parameters");
  check(avcodec_open2(decoder, decoderCodec, nullptr), "open decoder");
  std::vector<Picture> pictures;
  AVFrame* frame = av_frame_alloc();
  const auto receive = [&] {
    while (avcodec_receive_frame(decoder, frame) == 0) {
      Picture picture(frame->width, frame->height);
      SwsContext* scaler =
          sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
                         frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
      std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(picture.pixels.data()), nullptr, nullptr, nullptr};
      int strides[4] = {frame->width * 4, 0, 0, 0};
      sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
      sws_freeContext(scaler);
      pictures.push_back(std::move(picture));
    }
  };
  AVPacket* packet = av_packet_alloc();
  while (av_read_frame(input, packet) >= 0) {
    if (packet->stream_index == stream) avcodec_send_packet(decoder, packet);
    av_packet_unref(packet);
    receive();
  }
  avcodec_send_packet(decoder, nullptr);
  receive();
  av_packet_free(&packet);
  av_frame_free(&frame);
  avcodec_free_context(&decoder);
  avformat_close_input(&input);
  return pictures;
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

double meanDifference(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height) return 255;
  double sum = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i)
    for (int shift : {0, 8, 16})
      sum +=
          std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) - static_cast<int>((b.pixels[i] >> shift) & 0xFF));
  return a.pixels.empty() ? 0 : sum / (3.0 * static_cast<double>(a.pixels.size()));
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
