// Every frame of videos in many codecs and containers, fetched in a shuffled
// order, forward and backward, against a plain decode of the same file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>

#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "tests/video/test_videos.h"

extern "C" {
#include <libavutil/log.h>
}

namespace cab {
namespace {

namespace fs = std::filesystem;
using testvideo::Encoding;

constexpr int Frames = 75;

struct CodecCase {
  const char* name;
  Encoding encoding;
  const char* extension = "avi";
  // Packed B-frames need pictures whose B-frames are never as small as the
  // placeholder chunk (19 bytes), which a 64 x 48 picture can be.
  int width = 64;
  int height = 48;
};

const CodecCase cases[] = {
    {"Xvid", Encoding("mpeg4", "yuv420p").withTag("XVID")},
    {"Divx", Encoding("mpeg4", "yuv420p").withTag("DIVX")},
    {"Divx5BFrames", Encoding("mpeg4", "yuv420p").withTag("DX50").withBFrames(2)},
    {"Divx5PackedBFrames", Encoding("mpeg4", "yuv420p").withTag("DX50").withBFrames(2).withPackedBFrames(), "avi", 320,
     240},
    {"MsMpeg4v2", Encoding("msmpeg4v2", "yuv420p")},
    {"MsMpeg4v3", Encoding("msmpeg4", "yuv420p")},
    {"Mjpeg", Encoding("mjpeg", "yuvj420p")},
    {"RawBgr", Encoding("rawvideo", "bgr24")},
    {"Cinepak", Encoding("cinepak", "rgb24")},
    {"MsVideo1", Encoding("msvideo1", "rgb555le")},
    {"Ffv1", Encoding("ffv1", "yuv420p")},
    {"Huffyuv", Encoding("huffyuv", "yuv422p")},
    {"Wmv2", Encoding("wmv2", "yuv420p")},
    {"Flv1", Encoding("flv", "yuv420p")},
    {"H263Plus", Encoding("h263p", "yuv420p")},
    {"Png", Encoding("png", "rgb24")},
    {"Zlib", Encoding("zlib", "bgr24")},
    {"Vp9", Encoding("libvpx-vp9", "yuv420p")},
    {"H264", Encoding("libx264", "yuv420p")},
    {"H264BFrames", Encoding("libx264", "yuv420p").withBFrames(3)},
    {"Mpeg2BFrames", Encoding("mpeg2video", "yuv420p").withBFrames(2).withGop(12)},
    {"H264BFramesMp4", Encoding("libx264", "yuv420p").withBFrames(3), "mp4"},
    {"H264BFramesMkv", Encoding("libx264", "yuv420p").withBFrames(3), "mkv"},
    {"Vp9WebM", Encoding("libvpx-vp9", "yuv420p"), "webm"},
};

// One folder per test process, removed at its end.
struct ScratchFolder {
  fs::path dir = fs::temp_directory_path() / ("cabview-codec-test-" + std::to_string(getpid()));
  ScratchFolder() { fs::create_directories(dir); }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
};

class CodecMatrix : public ::testing::TestWithParam<CodecCase> {
 protected:
  static void SetUpTestSuite() { av_log_set_level(AV_LOG_ERROR); }

  void SetUp() override {
    const CodecCase& c = GetParam();
    if (!testvideo::encoderAvailable(c.encoding))
      GTEST_SKIP() << "libavcodec has no " << c.encoding.encoder << " encoder";
    static const ScratchFolder folder;
    file = folder.dir / (std::string(c.name) + "." + c.extension);
    testvideo::writeNumberedVideo(file, c.encoding, Frames, c.width, c.height);
    // Packed B-frames are decoded from the same pictures written the standard way.
    Encoding plain = c.encoding;
    plain.packedBFrames = false;
    const fs::path reference = folder.dir / (std::string(c.name) + "-reference." + c.extension);
    if (c.encoding.packedBFrames) testvideo::writeNumberedVideo(reference, plain, Frames, c.width, c.height);
    pictures = testvideo::decodeAll(c.encoding.packedBFrames ? reference : file);
    ASSERT_EQ(pictures.size(), static_cast<std::size_t>(Frames));
    for (int k = 0; k < Frames; ++k) ASSERT_EQ(testvideo::numberShown(pictures[k]), k) << "decoded in order";
  }

  // Fetches the frames in order from a newly opened source, each against the plain decode.
  void walk(const std::vector<int>& order, const char* how) {
    FfmpegVideoSource source;
    ASSERT_EQ(source.open(file.string()), VideoSource::Opened);
    ASSERT_EQ(source.length(), Frames);
    for (int k : order) {
      Picture picture;
      ASSERT_TRUE(source.frame(k, picture)) << how << ", frame " << k;
      ASSERT_LT(testvideo::meanDifference(picture, pictures[k]), 1.0)
          << how << ", frame " << k << " shows " << testvideo::numberShown(picture);
    }
    decoded = source.decodedFrames();
  }

  fs::path file;
  std::vector<Picture> pictures;
  long long decoded = 0;
};

TEST_P(CodecMatrix, EveryFrameShuffledForwardAndBackward) {
  std::vector<int> forward(Frames);
  std::iota(forward.begin(), forward.end(), 0);
  std::vector<int> shuffled = forward;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(11));
  ASSERT_NO_FATAL_FAILURE(walk(shuffled, "shuffled"));
  ASSERT_NO_FATAL_FAILURE(walk(forward, "forward"));
  EXPECT_EQ(decoded, Frames) << "forward, every frame is decoded once";
  ASSERT_NO_FATAL_FAILURE(walk({forward.rbegin(), forward.rend()}, "backward"));
}

INSTANTIATE_TEST_SUITE_P(Codecs, CodecMatrix, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cab
