#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>

#include "app/audio_bus.h"
#include "app/title_media.h"
#include "backends/picture/picture_decoder.h"
#include "backends/qt/qt_platform.h"
#include "core/title/title_host.h"
#include "core/title/title_menu.h"

namespace cab::app {

class TForm4;

// The title window, the program's main window: it draws the title's view
// (the opening movie, the title picture, the menu of route buttons) and
// hands its clicks and timer to the title's logic; a chosen drive runs in
// a new driving window, modally.
class TForm5 : public QWidget, public TitleHost {
 public:
  // The title's sounds and each drive's play on the two inputs of `audio`.
  TForm5(DataDirectory data, qt::QtSettingsStore& settings, AudioBus& audio);

  // Sets the window up; false when the program cannot start (the message has been shown).
  bool create();
  // The help window, created after the title; the drives' "Display" menu shows it.
  void setHelpWindow(TForm4* help) { help_ = help; }

  bool playMovie(const std::string& dataPath) override;
  bool playSound(const std::string& dataPath) override;
  void stopMedia() override;
  std::optional<Size> pictureSize(const std::string& dataPath) override;
  std::optional<std::string> pickVehicleFile() override;
  bool confirm(const std::string& text) override;
  void openDocument(const std::string& dataPath) override;
  void refresh() override;
  void runDrive(const TitleChoice& choice) override;
  void closeWindow() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A label showing a picture of the data (keyed: its bottom-left colour transparent).
  QLabel* pictureLabel(const char* name, const std::string& dataPath, bool keyed);
  QLabel* textButton(const char* name, const QString& text, int x, int y);
  QPixmap picture(const std::string& dataPath, bool keyed) const;
  // Shows the title's view after every event.
  void sync();

  DataDirectory data_;
  qt::QtSettingsStore& settings_;
  AudioBus& audio_;
  TForm4* help_ = nullptr;
  qt::QtDialogs dialogs_;
  PictureDecoder pictures_;
  TitleMedia media_;
  TitleMenu title_;
  QLabel* image1_;
  QLabel* dxDraw1_;
  std::array<QLabel*, RouteButtonCount> lines_{};
  QLabel* train1_;
  QLabel* cursor_;
  QLabel* cts_;
  QLabel* helpButton_;  // HELP, quit and back
  QLabel* quitButton_;
  QLabel* backButton_;
  QLabel* label1_;
  std::string shownPicture_;
  QTimer timer1_;
};

}  // namespace cab::app
