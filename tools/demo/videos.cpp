#include "videos.h"

#include "avi_writer.h"
#include "track_renderer.h"

namespace cab::demo {

void writeLineVideo(const LinePlan& plan, const std::filesystem::path& file, VideoSize size) {
  TrackRenderer renderer(plan, size.width, size.height);
  AviWriter avi(file, size.width, size.height, plan.fps);
  for (int f = 0; f < plan.frameCount; ++f)
    avi.addFrame(renderer.render({plan.metresAt(f), plan.kmhAt(f), double(f) / plan.fps}));
  avi.finish();
}

void writeBranchVideo(const LinePlan& plan, const std::filesystem::path& file, VideoSize size, int startFrame,
                      int frames) {
  TrackRenderer renderer(plan, size.width, size.height);
  AviWriter avi(file, size.width, size.height, plan.fps);
  for (int f = 0; f < frames; ++f) {
    Shot shot{plan.metresAt(startFrame + f), plan.kmhAt(startFrame + f), double(f) / plan.fps};
    shot.branch = true;
    avi.addFrame(renderer.render(shot));
  }
  avi.finish();
}

void writeStationVideo(const LinePlan& plan, int station, const std::filesystem::path& file, VideoSize size,
                       int frames) {
  TrackRenderer renderer(plan, size.width, size.height);
  AviWriter avi(file, size.width, size.height, plan.fps);
  for (int f = 0; f < frames; ++f) {
    // The other train starts 8 m ahead and accelerates away at 2.5 km/h/s.
    Shot shot{plan.stations[station].metres, 0, double(f)};
    shot.passingTrain = 8 + 0.5 * (2.5 / 3.6) * f * f;
    avi.addFrame(renderer.render(shot));
  }
  avi.finish();
}

}  // namespace cab::demo
