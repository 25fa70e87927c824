#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

#include "backends/picture/picture_decoder.h"
#include "backends/qt/cab_surface_widget.h"
#include "backends/qt/qt_platform.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/platform/drive_window.h"
#include "core/shell/drive.h"

class QAction;

namespace cab::app {

// The driving window: the cab surface on the left, the information labels on
// the right, the drive's menu. It turns Qt events into the drive's handlers.
class TForm1 : public QMainWindow, public DriveWindow {
 public:
  TForm1(DataDirectory data, DriveRequest request, qt::QtSettingsStore& settings, StatusSink& status);

  // Loads the drive; a halt shows its messages and returns false.
  bool load();

  void setCaption(const std::string& text) override;
  void setWindowAlpha(int alpha) override;
  void closeWindow() override;

  const qt::CabSurfaceWidget& untendai() const { return *untendai_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenu();
  // Hands an event to the drive, then follows its state.
  void dispatch(const DriveEvent& event);
  void syncWithDrive();
  // The information labels and the sub_disp picture on the right of the cab.
  void placeInfoLabels(QWidget* client);
  void showSubDisplay();
  void showInfoLabels();

  qt::QtDialogs dialogs_;
  qt::QtClock clock_;
  PictureDecoder pictures_;
  FfmpegVideoSource video_;
  qt::CabSurfaceWidget* untendai_;
  QLabel* back_;
  QLabel* subDisp_;
  std::array<QLabel*, InfoLabels::Count> labels_{};
  QAction* start1_ = nullptr;
  QTimer idleTimer_;
  QTimer timer1_;
  std::unique_ptr<Drive> drive_;
};

}  // namespace cab::app
