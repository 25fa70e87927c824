#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/common/picture.h"
#include "core/data/route_records.h"

namespace cab {

class DataDirectory;
class VideoSource;
class VideoSoundChannels;
struct TrainState;

// The file of a front-view video: "[Path]" + name + ".avi".
std::string frontMoviePath(const std::string& videoDirectory, const std::string& name);

// The messages shown for a result of opening a video (none for success).
std::vector<std::string> openMovieMessages(int result, const std::string& path);

// The front view of one drive: which video is open, which of its frames is
// on the frame bitmap, and the switches to station and branch videos.
class FrontVideo {
 public:
  FrontVideo(VideoSource& source, const DataDirectory& data);

  // Opens a video (a data path); the result codes of VideoSource::open. A
  // missing ".avi" file is looked for as ".mp4", ".mkv" and ".webm" too.
  int OpenFrontMovie(const std::string& path);
  int MovieLength() const;
  // Decodes frame n into `target`; nothing happens when no video is open.
  void GetMovieFrame(int n, Picture& target);

  // Opens the route's main video at loading; returns the messages to show
  // (naming the file that was opened).
  std::vector<std::string> openMainVideo(const std::string& path);
  void reopenMainVideo();
  // Start of a drive: main video, frame count from its length.
  void startDrive(int frameCountFactor);

  // Frame loop: fetches the frame the train stands at (main video) or the
  // switched video's frame, when it differs from the one shown.
  void fetch(int frame);
  // Physics step: a station video moves on while the route clock stands on a
  // multiple of the video frame rate, so it runs at its own slow pace while
  // the train stands.
  void advanceStationVideo(int clock, int videoFrameRate);
  // Copies the frame bitmap into the off-screen video surface at (0, 0).
  void copyTo(Picture& surface) const;

  int videoSwitchState = 0;  // 0 main, 1 station video, 2 branch video, 9 while switching
  int switchMovieFrame = 0;
  int switchMovieBase = 0;
  int switchMovieEnd = 0;
  int shownFrame = 1;  // -1 after a video was opened, so the next pass fetches
  int frameCount = 0;
  int fetchBusy = 0;
  Picture frameBitmap;

 private:
  VideoSource& source_;
  const DataDirectory& data_;
  std::string mainPath_;
};

// The "[MovieStop]" marks, once per frame after the fetch. A mark reached or
// passed since the previous frame puts the train on the mark's frame and stops
// it dead, silencing channels 1..silencedChannels. Returns true on a stop.
bool applyMovieStops(std::span<const int> MovieStop, const FrontVideo& video, bool reverseRunning, TrainState& train,
                     VideoSoundChannels& channels, int silencedChannels);

// What the switches of the route tick work on.
struct MovieSwitchContext {
  TrainState& train;
  int& physicsOn;
  int clock;  // route clock, 1/30 s
  std::span<MovieSwitchData> switches;
  std::span<const StationData> stations;
  std::string videoDirectory;  // "[Path]"
  VideoSoundChannels& channels;
  int routeSoundBase = 0;  // channel of route sound 0
};

// The "[MovieSwitch]" rules, once per route tick. Returns false when the rest
// of the tick is to be skipped (the physics was already suspended).
bool switchMovies(FrontVideo& video, MovieSwitchContext& context);

}  // namespace cab
