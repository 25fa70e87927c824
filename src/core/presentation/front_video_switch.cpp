#include "core/common/rounding.h"
#include "core/presentation/front_video.h"
#include "core/presentation/front_video_sound.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

// The station a station video belongs to, when the entry names one.
const StationData* stationOf(const MovieSwitchData& e, std::span<const StationData> stations) {
  if (e.next < 0 || static_cast<std::size_t>(e.next) >= stations.size()) return nullptr;
  return &stations[static_cast<std::size_t>(e.next)];
}

bool inStopZone(const StationData* station, long double position) {
  return station && position >= station->position_s && position <= station->position_e;
}

}  // namespace

bool switchMovies(FrontVideo& video, MovieSwitchContext& c) {
  TrainState& train = c.train;
  for (MovieSwitchData& e : c.switches) {
    const StationData* station = stationOf(e, c.stations);
    const bool atStation = inStopZone(station, train.position);

    // The scene sound of a station video starts at its frame, once.
    if (video.videoSwitchState == 1 && atStation && e.soundf < video.switchMovieFrame &&
        video.switchMovieFrame < e.soundf + 10 && !c.channels.playing(c.routeSoundBase + e.sound)) {
      c.channels.stop(c.routeSoundBase + e.sound);
      c.channels.play(c.routeSoundBase + e.sound);
    }

    if (Round(train.speed) == 0 && e.swtype == 2) {
      if (!atStation || !(e.time < c.clock)) continue;
      if (video.videoSwitchState == 0 && !e.done) {
        if (c.physicsOn == 0) return false;
        c.physicsOn = 0;
        video.videoSwitchState = 1;
        train.frame = station->Start;
        train.position = station->position;
        video.switchMovieFrame = 0;
        video.switchMovieBase = train.frame;
        video.OpenFrontMovie(frontMoviePath(c.videoDirectory, e.name));
        video.switchMovieEnd = e.endf;
        c.physicsOn = 1;
        video.shownFrame = -1;
      }
      if (video.videoSwitchState == 1 && video.switchMovieFrame >= video.switchMovieEnd) {
        if (c.physicsOn == 0) return false;
        c.physicsOn = 0;
        video.reopenMainVideo();
        video.videoSwitchState = 0;
        video.switchMovieFrame = 0;
        c.physicsOn = 1;
        video.shownFrame = -1;
        e.done = true;
      }
      continue;
    }

    if (e.Start <= train.frame && train.frame <= e.Stop && e.swtype <= 1) {
      if (video.videoSwitchState != 0 || e.done) continue;
      if (c.physicsOn == 0) return false;
      video.videoSwitchState = 9;
      video.switchMovieFrame = train.frame - e.Start;
      video.switchMovieBase = e.Start;
      c.physicsOn = 0;
      video.OpenFrontMovie(frontMoviePath(c.videoDirectory, e.name));
      video.switchMovieEnd = e.endf;
      video.GetMovieFrame(1, video.frameBitmap);
      c.physicsOn = 1;
      video.shownFrame = -1;
      video.videoSwitchState = 2;
    } else if (video.videoSwitchState == 2 && video.switchMovieEnd <= video.switchMovieFrame &&
               video.switchMovieFrame <= video.switchMovieEnd + 60 && e.next > train.frame) {
      // The branch video has run out: back to the main video further on.
      if (c.physicsOn == 0) return false;
      video.videoSwitchState = 9;
      c.physicsOn = 0;
      video.reopenMainVideo();
      train.frame = e.next;
      video.switchMovieFrame = 0;
      c.physicsOn = 1;
      video.shownFrame = -1;
      e.done = true;
      video.videoSwitchState = 0;
    }
  }
  return true;
}

}  // namespace cab
