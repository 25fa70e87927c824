#include "videos.h"

#include "avi_writer.h"
#include "track_renderer.h"

namespace cab::demo {

void writeLineVideo(const LinePlan& plan, const std::filesystem::path& file, VideoSize size) {
  TrackRenderer renderer(plan, size.width, size.height);
  AviWriter avi(file, size.width, size.height, plan.fps);
  for (int f = 0; f < plan.frameCount; ++f) avi.addFrame(renderer.render(plan.metresAt(f)));
  avi.finish();
}

void writeBranchVideo(const LinePlan& plan, const std::filesystem::path& file, VideoSize size, int startFrame,
                      int frames) {
  TrackRenderer renderer(plan, size.width, size.height);
  AviWriter avi(file, size.width, size.height, plan.fps);
  SceneExtras extras;
  extras.branch = true;
  for (int f = 0; f < frames; ++f) avi.addFrame(renderer.render(plan.metresAt(startFrame + f), extras));
  avi.finish();
}

void writeStationVideo(const LinePlan& plan, int station, const std::filesystem::path& file, VideoSize size,
                       int frames) {
  TrackRenderer renderer(plan, size.width, size.height);
  AviWriter avi(file, size.width, size.height, plan.fps);
  SceneExtras extras;
  for (int f = 0; f < frames; ++f) {
    // The other train starts 8 m ahead and accelerates away at 2.5 km/h/s.
    const double t = f;
    extras.passingTrain = 8 + 0.5 * (2.5 / 3.6) * t * t;
    avi.addFrame(renderer.render(plan.stations[station].metres, extras));
  }
  avi.finish();
}

}  // namespace cab::demo
