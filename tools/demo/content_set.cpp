#include "content_set.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "line_plan.h"
#include "route_files.h"
#include "settings_files.h"
#include "sounds.h"
#include "title_pictures.h"
#include "vehicle_files.h"
#include "videos.h"

namespace cab::demo {

namespace {

// Runs the jobs on two threads, each taking the next job in the list when it
// is free; the first failure is rethrown once all have stopped.
void runOnTwoThreads(const std::vector<std::function<void()>>& jobs) {
  std::atomic<size_t> next = 0;
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto work = [&] {
    for (size_t i; (i = next++) < jobs.size();) {
      try {
        jobs[i]();
      } catch (...) {
        const std::lock_guard lock(failureLock);
        if (!failure) failure = std::current_exception();
      }
    }
  };
  std::thread helper(work);
  work();
  helper.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

void writeContentSet(const std::filesystem::path& out, bool small) {
  const auto started = std::chrono::steady_clock::now();
  const LinePlan east = eastLine(), west = westLine();
  const VideoSize size = small ? VideoSize{160, 90} : VideoSize{800, 450};
  // The two long videos first, one on each thread; the rest goes to whichever is free first.
  runOnTwoThreads({
      [&] { writeLineVideo(east, out / "movie" / "east_main.avi", size); },
      [&] { writeLineVideo(west, out / "movie" / "west_main.avi", size); },
      [&] { writeSceneVideos(out, east, west, size); },
      [&] { writeOpeningMovie(out, east, small ? VideoSize{160, 90} : VideoSize{640, 360}); },
      [&] {
        writeSettingsFiles(out, east.fps, size.width, size.height);
        writeSounds(out);
        writeVehicles(out);
        writeRoutes(out, east, west, size);
      },
  });
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("cabview-demo: wrote %s in %.1f s\n", out.string().c_str(), seconds);
}

}  // namespace cab::demo
