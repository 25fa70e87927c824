#include "content_set.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

#include "line_plan.h"
#include "route_files.h"
#include "settings_files.h"
#include "sounds.h"
#include "vehicle_files.h"
#include "videos.h"

namespace cab::demo {

void writeContentSet(const std::filesystem::path& out, bool small) {
  const auto started = std::chrono::steady_clock::now();
  const LinePlan east = eastLine(), west = westLine();
  const VideoSize size = small ? VideoSize{160, 90} : VideoSize{640, 360};
  // The two long videos render side by side; everything else meanwhile.
  std::exception_ptr failure;
  std::thread eastVideo([&] {
    try {
      writeLineVideo(east, out / "movie" / "east_main.avi", size);
    } catch (...) {
      failure = std::current_exception();
    }
  });
  writeSettingsFiles(out, east.fps, size.width, size.height);
  writeSounds(out);
  writeVehicles(out, SignalSpeeds);
  writeRoutes(out, east, west, size);
  writeLineVideo(west, out / "movie" / "west_main.avi", size);
  eastVideo.join();
  if (failure) std::rethrow_exception(failure);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("cabview-demo: wrote %s in %.1f s\n", out.string().c_str(), seconds);
}

}  // namespace cab::demo
