#pragma once

#include <QGuiApplication>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "backends/qt/cab_canvas.h"
#include "headless/arguments.h"

namespace cab::headless {

// The window's painter without a display: Qt on its offscreen platform and
// the cab surface painted into an image every frame.
class OffscreenPainting {
 public:
  OffscreenPainting();
  ~OffscreenPainting();
  OffscreenPainting(const OffscreenPainting&) = delete;
  OffscreenPainting& operator=(const OffscreenPainting&) = delete;
  qt::CabCanvas& canvas() { return canvas_; }

 private:
  // The application's command line: the platform chosen here, whatever the environment says.
  char name_[17] = "cabview-headless";
  char platformOption_[10] = "-platform";
  char platform_[10] = "offscreen";
  int argc_ = 3;
  char* argv_[4] = {name_, platformOption_, platform_, nullptr};
  std::unique_ptr<QGuiApplication> app_;  // before the canvas, so that it outlives it
  qt::CabCanvas canvas_;
};

// The snapshots of a run, taken in time order from the picture shown.
class SnapshotTaker {
 public:
  explicit SnapshotTaker(std::vector<Snapshot> snapshots);
  // Saves every snapshot due by t ms; a file that cannot be written is a
  // "message: " line on err.
  void takeDue(long long tMs, const QImage& shown, std::ostream& err);
  // The snapshots after the run's end at t ms, one "message: " line each.
  void reportMissed(long long endMs, std::ostream& err) const;

 private:
  std::vector<Snapshot> snapshots_;
  std::size_t next_ = 0;
};

// A snapshot's time in whole milliseconds of the virtual clock.
long long snapshotMs(const Snapshot& s);

}  // namespace cab::headless
