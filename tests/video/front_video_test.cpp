#include "core/presentation/front_video.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/common/data_directory.h"
#include "core/platform/video_source.h"
#include "core/presentation/front_video_sound.h"
#include "core/vehicle/train_state.h"

namespace cab {
namespace {

// Videos by file name with their lengths; frame n of a video is a 1 x 1
// picture of colour n. Every decode is counted.
class FakeVideos : public VideoSource {
 public:
  std::map<std::string, int> lengths;
  std::string openName;
  std::vector<int> decoded;

  int open(const std::string& path) override {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    auto it = lengths.find(name);
    openName = it == lengths.end() ? "" : name;
    return it == lengths.end() ? CannotOpen : Opened;
  }
  bool isOpen() const override { return !openName.empty(); }
  int length() const override { return isOpen() ? lengths.at(openName) : 0; }
  bool frame(int n, Picture& out) override {
    if (!isOpen() || n < 0 || n >= length()) return false;
    decoded.push_back(n);
    out = Picture(1, 1, static_cast<std::uint32_t>(n));
    return true;
  }
  void close() override { openName.clear(); }
};

class RecordingChannels : public VideoSoundChannels {
 public:
  std::set<int> sounding;
  std::vector<std::string> calls;
  bool playing(int channel) const override { return sounding.count(channel) > 0; }
  void stop(int channel) override {
    calls.push_back("stop " + std::to_string(channel));
    sounding.erase(channel);
  }
  void play(int channel) override {
    calls.push_back("play " + std::to_string(channel));
    sounding.insert(channel);
  }
};

// A station row with its stopping frame and its stop point and zone (cm).
StationData stop(int start, int position, int zoneStart, int zoneEnd) {
  StationData s;
  s.Start = start;
  s.position = position;
  s.position_s = zoneStart;
  s.position_e = zoneEnd;
  return s;
}

class FrontVideoTest : public ::testing::Test {
 protected:
  FrontVideoTest() {
    videos.lengths = {{"main.avi", 1000}, {"scene.avi", 200}, {"branch.avi", 300}};
    EXPECT_TRUE(video.openMainVideo("movie/main.avi").empty());
    video.startDrive(1);
  }
  FakeVideos videos;
  DataDirectory data{"/data"};
  FrontVideo video{videos, data};
  TrainState train;
  RecordingChannels channels;
  int physicsOn = 1;
};

TEST_F(FrontVideoTest, StandingTrainDecodesOnlyOnceAndPauseFetchesAgain) {
  train.frame = 40;
  for (int pass = 0; pass < 50; ++pass) video.fetch(train.frame);
  EXPECT_EQ(videos.decoded, std::vector<int>{40});
  EXPECT_EQ(video.frameBitmap.at(0, 0), 40u);
  --video.shownFrame;  // pause, then resume
  --video.shownFrame;
  video.fetch(train.frame);
  video.fetch(train.frame);
  EXPECT_EQ(videos.decoded, (std::vector<int>{40, 40}));
}

TEST_F(FrontVideoTest, FramesOutsideTheVideoAreNotFetched) {
  for (int frame : {-5, 1000, 1500}) video.fetch(frame);
  EXPECT_TRUE(videos.decoded.empty());
  video.fetch(999);
  video.fetch(1001);  // the picture freezes on the last frame fetched
  EXPECT_EQ(videos.decoded, std::vector<int>{999});
  video.fetchBusy = 1;
  video.fetch(500);
  EXPECT_EQ(videos.decoded.size(), 1u);
  EXPECT_EQ(video.shownFrame, 500);  // set even though the fetch was skipped
}

TEST_F(FrontVideoTest, FrameCountIsTheLengthTimesTheFactor) {
  video.startDrive(2);
  EXPECT_EQ(video.frameCount, 2000);
  EXPECT_EQ(video.shownFrame, -1);
  EXPECT_EQ(video.videoSwitchState, 0);
}

TEST_F(FrontVideoTest, AStartAtFrameZeroFetchesItsPicture) {
  video.startDrive(1);
  --video.shownFrame;  // the drive's start
  video.fetch(0);
  EXPECT_EQ(videos.decoded.size(), 1u);
}

TEST(FrontVideoMessages, ResultsAndTheCodecHint) {
  const std::string hint = "DivXビデオコーデックがインストールされていない可能性があります。";
  const struct {
    int result;
    std::vector<std::string> messages;
  } cases[] = {
      {0, {}},
      {1, {"映像ファイルを開けませんmovie\\a.avi"}},
      {2, {"メモリ不足"}},
      {3, {"読み取りエラー"}},
      {4, {"映像オープンエラー"}},
      {5, {"FileInfoエラー"}},
      {6, {"GetStreamエラー", hint}},
      {7, {"GetFrameOpenエラー", hint}},
  };
  for (const auto& c : cases) EXPECT_EQ(openMovieMessages(c.result, "movie\\a.avi"), c.messages) << c.result;
  EXPECT_EQ(frontMoviePath("movie\\", "line1"), "movie\\line1.avi");
}

// Forward running at high speed: the marks 100 and 150 are both passed within one frame.
TEST_F(FrontVideoTest, StopMarkPassedWithinOneFrameStopsOnTheMark) {
  const std::vector<int> marks{100, 150};
  train.prevFrame = 95;
  train.frame = 160;
  train.speed = 120;
  train.frameAccumulator = 7;
  train.powerHandle = train.powerNotch = 4;
  EXPECT_TRUE(applyMovieStops(marks, video, false, train, channels, 3));
  EXPECT_EQ(train.frame, 100);
  EXPECT_EQ(train.speed, 0);
  EXPECT_EQ(train.frameAccumulator, 0);
  EXPECT_EQ(train.powerHandle, 0);
  EXPECT_EQ(train.powerNotch, 0);
  EXPECT_EQ(channels.calls, (std::vector<std::string>{"stop 1", "stop 2", "stop 3"}));
}

TEST_F(FrontVideoTest, StopMarkCases) {
  const std::vector<int> marks{100};
  const struct {
    bool reverse;
    long double speed;
    int prevFrame, frame;
    bool stops;
    int frameAfter;
  } cases[] = {
      {false, 30, 99, 100, true, 100},    // reaching the mark exactly
      {false, 30, 100, 103, false, 103},  // starting from the mark again
      {false, 30, 90, 99, false, 99},     // not there yet
      {false, -30, 103, 99, false, 99},   // backing over it without reverse running
      {true, -30, 103, 99, true, 101},    // reverse running stops one frame past it
      {true, -30, 101, 100, true, 101},  {true, -30, 100, 98, false, 98},
      {true, 30, 99, 103, false, 103},  // reverse running, but moving forward
  };
  for (const auto& c : cases) {
    TrainState t;
    t.speed = c.speed;
    t.prevFrame = c.prevFrame;
    t.frame = c.frame;
    EXPECT_EQ(applyMovieStops(marks, video, c.reverse, t, channels, 0), c.stops) << c.prevFrame << "->" << c.frame;
    EXPECT_EQ(t.frame, c.frameAfter) << c.prevFrame << "->" << c.frame;
    EXPECT_EQ(t.speed == 0, c.stops);
  }
  video.videoSwitchState = 2;  // no stop marks while a switched video shows
  TrainState t;
  t.speed = 30;
  t.prevFrame = 99;
  t.frame = 100;
  EXPECT_FALSE(applyMovieStops(marks, video, false, t, channels, 0));
}

// A station video: the train stands in the stop zone of station 1 after 10:00.
TEST_F(FrontVideoTest, StationVideoPlaysItsSceneAndReturnsToTheMainVideo) {
  std::vector<StationData> stations{stop(0, 0, 0, 0), stop(500, 30000, 29000, 31000)};
  std::vector<MovieSwitchData> switches(1);
  auto& e = switches[0];
  e.swtype = 2;
  e.name = "scene";
  e.endf = 120;
  e.next = 1;
  e.time = 10 * 3600 * 30;
  e.soundf = 50;
  e.sound = 4;
  train.position = 30100;
  train.frame = 505;
  MovieSwitchContext c{train, physicsOn, e.time - 1, switches, stations, "movie\\", channels, 100};
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 0);  // before its time

  c.clock = e.time + 1;
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 1);
  EXPECT_EQ(videos.openName, "scene.avi");
  EXPECT_EQ(train.frame, 500);
  EXPECT_EQ(train.position, 30000);
  EXPECT_EQ(video.switchMovieBase, 500);
  EXPECT_EQ(video.switchMovieFrame, 0);
  EXPECT_EQ(video.switchMovieEnd, 120);
  EXPECT_EQ(video.shownFrame, -1);
  EXPECT_EQ(physicsOn, 1);

  // The scene runs by itself (the physics step advances it with the clock).
  video.fetch(train.frame);
  EXPECT_EQ(videos.decoded.back(), 0);
  video.switchMovieFrame = 51;
  video.fetch(train.frame);
  EXPECT_EQ(videos.decoded.back(), 51);
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(channels.calls, (std::vector<std::string>{"stop 104", "play 104"}));
  ASSERT_TRUE(switchMovies(video, c));  // still sounding: not restarted
  EXPECT_EQ(channels.calls.size(), 2u);

  video.switchMovieFrame = 120;
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 0);
  EXPECT_EQ(videos.openName, "main.avi");
  EXPECT_TRUE(e.done);
  EXPECT_EQ(video.shownFrame, -1);
  video.fetch(train.frame);
  EXPECT_EQ(videos.decoded.back(), 500);
  ASSERT_TRUE(switchMovies(video, c));  // each entry fires once
  EXPECT_EQ(video.videoSwitchState, 0);
}

TEST_F(FrontVideoTest, StationVideoMovesOnWhileTheClockStandsOnAMultipleOfTheFrameRate) {
  struct Case {
    int state;
    int clock;
    int advanced;
  } cases[] = {{1, 900, 1}, {1, 901, 0}, {1, 0, 1}, {0, 900, 0}, {2, 900, 0}};
  for (const Case& c : cases) {
    video.videoSwitchState = c.state;
    video.switchMovieFrame = 10;
    video.advanceStationVideo(c.clock, 30);
    EXPECT_EQ(video.switchMovieFrame, 10 + c.advanced) << c.state << " " << c.clock;
  }
  video.videoSwitchState = 1;
  video.advanceStationVideo(900, 0);  // no frame rate: nothing to follow
  EXPECT_EQ(video.switchMovieFrame, 10);
}

TEST_F(FrontVideoTest, StationVideoWaitsForTheTrainToStand) {
  std::vector<StationData> stations{stop(500, 30000, 29000, 31000)};
  std::vector<MovieSwitchData> switches{{2, 0, 0, "scene", 120, false, 0, 0, 50, 4}};
  train.position = 30100;
  train.speed = 0.6;  // rounds to 1
  MovieSwitchContext c{train, physicsOn, 100, switches, stations, "movie\\", channels, 0};
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 0);
  train.speed = 0.4;
  train.position = 31001;  // beyond the stop zone
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 0);
  switches[0].next = 7;  // no such station
  train.position = 30100;
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 0);
}

// A branch video over main-video frames 200..400; back on the main video at 2000... of a longer line.
TEST_F(FrontVideoTest, BranchVideoFollowsTheTrainAndReturnsAtNext) {
  std::vector<MovieSwitchData> switches{{1, 200, 400, "branch", 250, false, 700, 0, 0, 0}};
  MovieSwitchContext c{train, physicsOn, 0, switches, {}, "movie\\", channels, 0};
  train.speed = 60;
  train.frame = 199;
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 0);

  train.frame = 210;
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 2);
  EXPECT_EQ(videos.openName, "branch.avi");
  EXPECT_EQ(video.switchMovieBase, 200);
  EXPECT_EQ(video.switchMovieFrame, 10);
  EXPECT_EQ(video.switchMovieEnd, 250);
  EXPECT_EQ(videos.decoded, std::vector<int>{1});  // the first picture of the branch at once
  EXPECT_EQ(video.shownFrame, -1);

  train.frame = 330;
  video.fetch(train.frame);  // the branch video shows frame - Start
  EXPECT_EQ(video.switchMovieFrame, 130);
  EXPECT_EQ(videos.decoded.back(), 130);

  train.frame = 430;  // past the range, but the branch video has not run out
  video.fetch(train.frame);
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 2);

  train.frame = 455;
  video.fetch(train.frame);
  EXPECT_EQ(video.switchMovieFrame, 255);
  ASSERT_TRUE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 0);
  EXPECT_EQ(videos.openName, "main.avi");
  EXPECT_EQ(train.frame, 700);
  EXPECT_EQ(video.switchMovieFrame, 0);
  EXPECT_TRUE(switches[0].done);
  video.fetch(train.frame);
  EXPECT_EQ(videos.decoded.back(), 700);
}

TEST_F(FrontVideoTest, BranchWithoutALaterNextHoldsItsLastFrame) {
  std::vector<MovieSwitchData> switches{{0, 200, 400, "branch", 250, false, 300, 0, 0, 0}};
  MovieSwitchContext c{train, physicsOn, 0, switches, {}, "movie\\", channels, 0};
  train.speed = 60;
  train.frame = 200;
  ASSERT_TRUE(switchMovies(video, c));
  ASSERT_EQ(video.videoSwitchState, 2);
  for (int frame : {455, 520}) {
    train.frame = frame;
    video.fetch(train.frame);
    ASSERT_TRUE(switchMovies(video, c));
    EXPECT_EQ(video.videoSwitchState, 2);
  }
  EXPECT_EQ(videos.decoded.back(), 255);  // frames beyond the branch video are not there
}

TEST_F(FrontVideoTest, SwitchNotBegunWhileThePhysicsIsSuspended) {
  std::vector<MovieSwitchData> switches{{1, 200, 400, "branch", 250, false, 700, 0, 0, 0}};
  physicsOn = 0;
  MovieSwitchContext c{train, physicsOn, 0, switches, {}, "movie\\", channels, 0};
  train.speed = 60;
  train.frame = 210;
  EXPECT_FALSE(switchMovies(video, c));
  EXPECT_EQ(video.videoSwitchState, 0);
  EXPECT_EQ(videos.openName, "main.avi");
}

}  // namespace
}  // namespace cab
