#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "backends/picture/picture_decoder.h"
#include "backends/qt/cab_surface_widget.h"
#include "backends/qt/qt_platform.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/platform/drive_window.h"
#include "core/shell/drive.h"

namespace cab::app {
class TForm4;
}

class QAction;
class QKeyEvent;

namespace cab::app {

// The driving window: the cab surface on the left, the information labels on
// the right, the drive's menu. It turns Qt events into the drive's handlers.
class TForm1 : public QMainWindow, public DriveWindow {
 public:
  // The "Display" menu's first item shows `help` (none: the item does nothing).
  // `audio` is the sound output the drive's mixer plays on; it outlives the
  // drive, which detaches its mixer on the way out.
  TForm1(DataDirectory data, DriveRequest request, qt::QtSettingsStore& settings, StatusSink& status, AudioOut& audio,
         TForm4* help = nullptr);

  // Loads the drive; a halt shows its messages and returns false.
  bool load();

  void setCaption(const std::string& text) override;
  void setWindowAlpha(int alpha) override;
  void closeWindow() override;

  const qt::CabSurfaceWidget& untendai() const { return *untendai_; }

  // A key press of this window or of the help window: the key-down and the
  // character handlers.
  void forwardKey(QKeyEvent* event);
  // Called once the window has closed and its drive has run its close sequence.
  void setClosedHandler(std::function<void()> closed) { closed_ = std::move(closed); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenu();
  // The "Display" and "Save" menus (drive_menus.cpp); the check marks
  // follow the drive, the slots' captions are read as the menu opens.
  void buildDisplayMenu();
  void buildSaveMenu();
  void showDisplayChecks();
  void showSaveCaptions();
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
  std::array<QAction*, 5> displayChecks_{};  // by DisplayItem
  std::array<QAction*, SaveSlotCount> loadItems_{}, saveItems_{};
  TForm4* help_;
  std::function<void()> closed_;
  QTimer idleTimer_;
  QTimer timer1_;
  std::unique_ptr<Drive> drive_;
};

}  // namespace cab::app
