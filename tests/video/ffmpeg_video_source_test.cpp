#include "backends/video-ffmpeg/ffmpeg_video_source.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/video/test_videos.h"

namespace cab {
namespace {

namespace fs = std::filesystem;
using testvideo::Codec;

// One folder per test process (the test cases may run side by side), removed at its end.
struct ScratchFolder {
  fs::path dir = fs::temp_directory_path() / ("cabview-video-test-" + std::to_string(getpid()));
  ScratchFolder() { fs::create_directories(dir); }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
};

fs::path scratch(const std::string& name) {
  static const ScratchFolder folder;
  return folder.dir / name;
}

// One written file per codec, shared by the tests of that codec.
const fs::path& numberedVideo(Codec codec) {
  static const fs::path mjpeg = [] {
    auto p = scratch("numbered-mjpeg.avi");
    testvideo::writeNumberedVideo(p, Codec::Mjpeg, 100, 160, 120);
    return p;
  }();
  static const fs::path mpeg4 = [] {
    auto p = scratch("numbered-xvid.avi");
    testvideo::writeNumberedVideo(p, Codec::Mpeg4, 100, 160, 120);
    return p;
  }();
  return codec == Codec::Mjpeg ? mjpeg : mpeg4;
}

class NumberedVideo : public ::testing::TestWithParam<Codec> {
 protected:
  void SetUp() override { ASSERT_EQ(source.open(numberedVideo(GetParam()).string()), VideoSource::Opened); }
  int shown(int n) {
    Picture picture;
    if (!source.frame(n, picture)) return -2;
    EXPECT_EQ(picture.width, 160);
    EXPECT_EQ(picture.height, 120);
    EXPECT_EQ(picture.at(0, 0) >> 24, 0xFFu);
    return testvideo::numberShown(picture);
  }
  FfmpegVideoSource source;
};

TEST_P(NumberedVideo, LengthIsTheFrameCount) {
  EXPECT_TRUE(source.isOpen());
  EXPECT_EQ(source.length(), 100);
}

TEST_P(NumberedVideo, EveryFrameForwardAndBackward) {
  for (int n = 0; n < 100; ++n) ASSERT_EQ(shown(n), n) << "forward";
  for (int n = 99; n >= 0; --n) ASSERT_EQ(shown(n), n) << "backward";
}

TEST_P(NumberedVideo, RandomAccessAndSmallSteps) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, 99);
  for (int i = 0; i < 60; ++i) {
    const int n = pick(random);
    ASSERT_EQ(shown(n), n);
  }
  // Steps back and forth of a few frames across key frames 30 and 60.
  for (int n : {31, 29, 30, 28, 33, 59, 61, 58, 60, 62, 57, 0, 2, 1, 99, 97, 98}) ASSERT_EQ(shown(n), n);
}

TEST_P(NumberedVideo, ForwardSteppingDecodesEachFrameOnce) {
  ASSERT_EQ(shown(10), 10);
  const long long before = source.decodedFrames();
  for (int n = 11; n < 90; ++n) ASSERT_EQ(shown(n), n);
  EXPECT_EQ(source.decodedFrames() - before, 79);
  // A few frames back come from the kept frames.
  const long long kept = source.decodedFrames();
  for (int n = 88; n >= 80; --n) ASSERT_EQ(shown(n), n);
  EXPECT_EQ(source.decodedFrames(), kept);
}

TEST_P(NumberedVideo, FramesOutsideTheVideoAreNotFetched) {
  Picture picture(2, 2, 0xFF123456u);
  EXPECT_FALSE(source.frame(-1, picture));
  EXPECT_FALSE(source.frame(100, picture));
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(picture.at(0, 0), 0xFF123456u);
}

TEST_P(NumberedVideo, ReopeningReplacesTheVideo) {
  ASSERT_EQ(shown(50), 50);
  const fs::path other = scratch(std::string("short-") + (GetParam() == Codec::Mjpeg ? "mjpeg" : "xvid") + ".avi");
  testvideo::writeNumberedVideo(other, GetParam(), 5, 64, 48);
  ASSERT_EQ(source.open(other.string()), VideoSource::Opened);
  EXPECT_EQ(source.length(), 5);
  Picture picture;
  ASSERT_TRUE(source.frame(3, picture));
  EXPECT_EQ(picture.width, 64);
  EXPECT_EQ(testvideo::numberShown(picture), 3);
  source.close();
  EXPECT_FALSE(source.isOpen());
  EXPECT_EQ(source.length(), 0);
  EXPECT_FALSE(source.frame(0, picture));
}

INSTANTIATE_TEST_SUITE_P(Codecs, NumberedVideo, ::testing::Values(Codec::Mjpeg, Codec::Mpeg4),
                         [](const auto& info) { return info.param == Codec::Mjpeg ? "Mjpeg" : "Xvid"; });

TEST(FfmpegVideoSourceOpen, FailuresGiveTheirResults) {
  const fs::path text = scratch("text.avi");
  std::ofstream(text) << "this is not a video\n";
  const fs::path audio = scratch("audio.avi");
  testvideo::writeAudioOnlyAvi(audio);
  // An AVI whose video is in a format no decoder knows.
  const fs::path unknown = scratch("unknown-codec.avi");
  testvideo::writeNumberedVideo(unknown, Codec::Mpeg4, 3, 32, 24);
  {
    std::ifstream in(unknown, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string s = bytes.str();
    for (std::size_t at = s.find("XVID"); at != std::string::npos; at = s.find("XVID", at)) s.replace(at, 4, "QZQZ");
    std::ofstream(unknown, std::ios::binary) << s;
  }
  // A video in a container route videos do not come in.
  const fs::path programStream = scratch("program-stream.mpg");
  testvideo::writeNumberedVideo(programStream, testvideo::Encoding("mpeg2video", "yuv420p"), 3, 32, 24);
  const struct {
    fs::path path;
    int result;
  } cases[] = {
      {scratch("missing.avi"), VideoSource::CannotOpen},
      {text, VideoSource::BadFormat},
      {programStream, VideoSource::BadFormat},
      {audio, VideoSource::NoVideoStream},
      {unknown, VideoSource::NoDecoder},
  };
  for (const auto& c : cases) {
    FfmpegVideoSource source;
    ASSERT_EQ(source.open(numberedVideo(Codec::Mjpeg).string()), VideoSource::Opened);
    EXPECT_EQ(source.open(c.path.string()), c.result) << c.path;
    EXPECT_FALSE(source.isOpen()) << c.path;
    EXPECT_EQ(source.length(), 0);
    Picture picture;
    EXPECT_FALSE(source.frame(0, picture));
  }
}

// A capture that dropped frames leaves their chunks empty: such a frame shows
// the picture before it, and the frames after it keep their numbers.
TEST(FfmpegVideoSourceAvi, AnEmptyChunkShowsThePictureBeforeIt) {
  const fs::path file = scratch("empty-chunks.avi");
  testvideo::writeNumberedVideo(file, testvideo::encodingOf(Codec::Mjpeg).withEmptyChunks({4, 5, 11}), 12, 64, 48);
  FfmpegVideoSource source;
  ASSERT_EQ(source.open(file.string()), VideoSource::Opened);
  EXPECT_EQ(source.length(), 12);
  const int shows[] = {0, 1, 2, 3, 3, 3, 6, 7, 8, 9, 10, 10};
  for (int n : {5, 11, 0, 4, 6, 10, 3, 2, 1, 7, 9, 8}) {
    Picture picture;
    ASSERT_TRUE(source.frame(n, picture)) << n;
    EXPECT_EQ(testvideo::numberShown(picture), shows[n]) << n;
  }
}

}  // namespace
}  // namespace cab
