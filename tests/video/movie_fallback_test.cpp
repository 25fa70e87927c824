// A route video named ".avi" that was saved as MP4, Matroska or WebM.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/common/data_directory.h"
#include "core/presentation/front_video.h"
#include "tests/video/test_videos.h"

namespace cab {
namespace {

namespace fs = std::filesystem;
using testvideo::Encoding;

// A data directory of its own for each case, removed at the end.
struct DataFolder {
  fs::path root;
  explicit DataFolder(const std::string& name)
      : root(fs::temp_directory_path() / ("cabview-fallback-" + std::to_string(getpid())) / name) {
    fs::create_directories(root / "movie");
  }
  ~DataFolder() {
    std::error_code ignored;
    fs::remove_all(root.parent_path(), ignored);
  }
};

// Each file of the route video's name holds a different number of frames, so the length tells which was opened.
struct Case {
  const char* name;
  std::map<std::string, int> files;  // in movie/, a length of 0 for a file that is no video
  int length;
  std::vector<std::string> messages;
};

// Writes the files and opens "movie\line.avi" as the route's main video.
void check(const Case& c) {
  SCOPED_TRACE(c.name);
  DataFolder folder(c.name);
  for (const auto& [file, frames] : c.files) {
    const fs::path path = folder.root / "movie" / file;
    const bool webm = path.extension() == ".webm" || path.extension() == ".WEBM";  // VP9 only
    if (frames == 0)
      std::ofstream(path) << "not a video\n";
    else
      testvideo::writeNumberedVideo(path, webm ? Encoding("libvpx-vp9", "yuv420p") : Encoding("mpeg4", "yuv420p"),
                                    frames, 32, 24);
  }
  const DataDirectory data(folder.root);
  FfmpegVideoSource source;
  FrontVideo video(source, data);
  EXPECT_EQ(video.openMainVideo("movie\\line.avi"), c.messages);
  EXPECT_EQ(video.MovieLength(), c.length);
  // The main video reopens from the same file after a switch.
  source.close();
  video.reopenMainVideo();
  EXPECT_EQ(video.MovieLength(), c.length);
}

TEST(MovieFallback, AMissingAviIsLookedForAsMp4ThenMkv) {
  const Case cases[] = {
      {"avi first", {{"line.avi", 5}, {"line.mp4", 7}}, 5, {}},
      {"mp4", {{"line.mp4", 7}, {"line.mkv", 9}}, 7, {}},
      {"mkv", {{"line.mkv", 9}}, 9, {}},
      {"letter case", {{"LINE.MKV", 9}}, 9, {}},
      {"other names", {{"line2.mp4", 7}, {"line.mov", 7}}, 0, {"映像オープンエラー"}},
      {"none", {}, 0, {"映像オープンエラー"}},
      {"bad mp4", {{"line.mp4", 0}}, 0, {"映像ファイルを開けませんmovie\\line.mp4"}},
  };
  for (const Case& c : cases) check(c);
}

TEST(MovieFallback, WebMComesAfterMp4AndMkv) {
  if (!testvideo::encoderAvailable(Encoding("libvpx-vp9", "yuv420p")))
    GTEST_SKIP() << "libavcodec has no libvpx-vp9 encoder to write WebM with";
  const Case cases[] = {
      {"webm", {{"line.webm", 11}}, 11, {}},
      {"mkv before webm", {{"line.mkv", 9}, {"LINE.WEBM", 11}}, 9, {}},
  };
  for (const Case& c : cases) check(c);
}

}  // namespace
}  // namespace cab
