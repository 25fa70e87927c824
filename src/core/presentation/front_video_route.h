#pragma once

#include <string>
#include <vector>

namespace cab {

// A "[MovieSwitch]" row: a branch video (swtype 0 or 1) shown while the train
// runs through main-video frames Start..Stop, or a station video (swtype 2)
// played while the train stands at station `next`.
struct MovieSwitchEntry {
  int swtype = 0;
  int Start = 0;
  int Stop = 0;
  std::string name;  // video file name without ".avi", in the video directory
  int endf = 0;      // last frame of the switched video
  bool done = false;
  int next = 0;    // branch: main-video frame to continue at; station video: station index
  int time = 0;    // station video: route clock after which it may start
  int soundf = 0;  // station video: frame of the switched video at which its sound starts
  int sound = 0;   // station video: route sound number
};

// What a station video needs of a station record.
struct MovieStation {
  int Start = 0;               // main-video frame of the stop
  long double position = 0;    // cm, stop position
  long double position_s = 0;  // cm, start of the stop zone
  long double position_e = 0;  // cm, end of the stop zone
};

// The route's video tables.
struct FrontVideoRoute {
  std::string DataName;        // main video file name without ".avi"
  std::vector<int> MovieStop;  // frames at which the train is stopped dead
  std::vector<MovieSwitchEntry> MovieSwitch;
  std::vector<MovieStation> stations;
};

}  // namespace cab
