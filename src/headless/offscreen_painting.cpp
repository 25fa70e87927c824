#include "headless/offscreen_painting.h"

#include <QtGlobal>
#include <algorithm>
#include <iostream>

namespace cab::headless {

namespace {

// Qt's notes on its own set-up (a missing runtime directory) are not the
// drive's; its errors keep the runner's line prefix.
void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "message: Qt: " << text.toStdString() << '\n';
}

// The size of the cab surface in the window.
constexpr int SurfaceWidth = 800;
constexpr int SurfaceHeight = 785;

}  // namespace

// Fonts need an application; the offscreen platform needs no display.
OffscreenPainting::OffscreenPainting() : canvas_(SurfaceWidth, SurfaceHeight) {
  qInstallMessageHandler(qtMessage);
  if (!QCoreApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

OffscreenPainting::~OffscreenPainting() { qInstallMessageHandler(nullptr); }

long long snapshotMs(const Snapshot& s) { return static_cast<long long>(s.seconds * 1000 + 0.5L); }

SnapshotTaker::SnapshotTaker(std::vector<Snapshot> snapshots) : snapshots_(std::move(snapshots)) {
  std::stable_sort(snapshots_.begin(), snapshots_.end(),
                   [](const Snapshot& a, const Snapshot& b) { return snapshotMs(a) < snapshotMs(b); });
}

void SnapshotTaker::takeDue(long long tMs, const QImage& shown, std::ostream& err) {
  for (; next_ < snapshots_.size() && snapshotMs(snapshots_[next_]) <= tMs; ++next_) {
    const Snapshot& s = snapshots_[next_];
    if (!shown.save(QString::fromStdString(s.file), "PNG"))
      err << "message: snapshot " << s.file << ": the picture cannot be written\n";
  }
}

void SnapshotTaker::reportMissed(long long endMs, std::ostream& err) const {
  for (std::size_t i = next_; i < snapshots_.size(); ++i)
    err << "message: snapshot " << snapshots_[i].file << ": the run ended at " << endMs / 1000.0L
        << " s, before its time\n";
}

}  // namespace cab::headless
