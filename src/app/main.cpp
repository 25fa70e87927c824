#include <QApplication>
#include <QDir>
#include <QFont>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <functional>
#include <iostream>
#include <optional>
#include <utility>

#include "app/audio_bus.h"
#include "app/command_line.h"
#include "app/drive_form.h"
#include "app/help_form.h"
#include "app/title_form.h"
#include "core/data/data_error.h"

namespace {

using Failure = std::optional<std::vector<std::string>>;

// The texts that tell the user about an error that ends the program.
std::vector<std::string> errorTexts(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const cab::HaltError& e) {
    return e.messages();
  } catch (const std::exception& e) {
    return {e.what()};
  } catch (...) {
    return {"unknown error"};
  }
}

// Qt cannot carry an exception through its event loop: one escaping an event
// handler ends the loop with status 1, and its texts are kept for main.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    if (failure_) return false;  // the loop is ending: the drive gets nothing more
    try {
      return QApplication::notify(receiver, event);
    } catch (...) {
      // A handler that goes on after a nested loop ended may throw again; the first error counts.
      if (!failure_) failure_ = errorTexts(std::current_exception());
      QCoreApplication::exit(1);
      return false;
    }
  }

  Failure takeFailure() { return std::exchange(failure_, std::nullopt); }

 private:
  Failure failure_;
};

// Qt ends the process when it finds no display; a set QT_QPA_PLATFORM
// (offscreen, for example) chooses a platform that needs none.
bool displayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* value = std::getenv(name); value && *value) return true;
  return false;
}

// Saves pictures at the given times, then quits.
void scheduleGrabs(QApplication& application, const std::vector<cab::app::WindowGrab>& grabs, QObject* context,
                   std::function<QPixmap()> picture) {
  double lastGrab = 0;
  for (const auto& g : grabs) lastGrab = std::max(lastGrab, g.afterSeconds);
  for (const auto& g : grabs)
    QTimer::singleShot(static_cast<int>(g.afterSeconds * 1000), context, [&application, picture, g, lastGrab] {
      picture().save(g.file);
      if (g.afterSeconds >= lastGrab) application.quit();
    });
}

// Opens the driving window and runs it until it closes.
int drive(GuardedApplication& application, const cab::app::CommandLine& options, cab::qt::QtSettingsStore& settings,
          cab::app::AudioBus& audio, cab::app::TForm4& help) {
  cab::qt::CallbackStatus status([](const std::string& text) { std::cerr << text << '\n'; });
  cab::app::TForm1 form(cab::DataDirectory(options.dataDirectory), options.request, settings, status, audio.drive(),
                        &help);
  if (!form.load()) return 1;
  form.show();
  scheduleGrabs(application, options.grabs, &form, [&form] { return form.grab(); });
  form.setClosedHandler([&application] { application.quit(); });
  return application.exec();
}

// The title window, the program's main window: drives start from it and it
// comes back after each; closing it (once confirmed) ends the program.
int title(GuardedApplication& application, const cab::app::CommandLine& options, cab::qt::QtSettingsStore& settings,
          cab::app::AudioBus& audio, cab::qt::QtDialogs& dialogs) {
  const cab::DataDirectory data(options.dataDirectory);
  cab::app::TForm5 form(data, settings, audio);
  if (!form.create()) return 1;
  cab::app::TForm4 help(data, dialogs);
  form.setHelpWindow(&help);
  form.show();
  // Hiding the title for a drive and closing the driving window must not end the program.
  application.setQuitOnLastWindowClosed(false);
  scheduleGrabs(application, options.grabs, &form, [] { return QGuiApplication::primaryScreen()->grabWindow(0); });
  return application.exec();
}

// Options and saved states live in cabview.ini of the user's configuration
// directory; a file there that cannot be read is left alone.
void reportUnreadableSettings(const cab::qt::QtSettingsStore& settings) {
  if (!settings.usable())
    std::cerr << settings.fileName().toStdString()
              << " cannot be read as an INI file; the options take their defaults and the file is left as it is\n";
}

// The title, or a drive named on the command line.
int run(GuardedApplication& application, const cab::app::CommandLine& options) {
  cab::qt::QtSettingsStore settings;
  reportUnreadableSettings(settings);
  cab::qt::QtDialogs dialogs(nullptr);
  cab::app::AudioBus audio;
  if (!options.directDrive) return title(application, options, settings, audio, dialogs);
  cab::app::TForm4 help(cab::DataDirectory(options.dataDirectory), dialogs);
  return drive(application, options, settings, audio, help);
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = cab::app::parseCommandLine(cab::app::argumentList(argc, argv), error);
  if (!options) {
    std::cerr << error << "\n(cabview --help shows the usage)\n";
    return 2;
  }
  if (options->help) {
    std::cout << cab::app::UsageText << '\n';
    return 0;
  }
  if (options->version) {
    std::cout << "cabview " CABVIEW_VERSION "\n";
    return 0;
  }
  if (!displayAvailable()) {
    std::cerr << "cabview: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "Start it from a desktop session, or drive without a display with cabview-headless\n"
                 "(cabview-headless --help shows how).\n";
    return 1;
  }

  GuardedApplication application(argc, argv);
  QFont font = application.font();
  font.setFamilies({"Meiryo", "Noto Sans CJK JP", "VL Gothic", "IPAGothic"});
  application.setFont(font);

  // The driving window is gone before an error's message boxes show, so no
  // timer of the failed drive runs under them.
  Failure failure;
  int status = 1;
  try {
    status = run(application, *options);
    failure = application.takeFailure();
  } catch (...) {
    failure = errorTexts(std::current_exception());
  }
  if (!failure) return status;
  cab::qt::QtDialogs dialogs(nullptr);
  for (const auto& text : *failure) dialogs.message(text);
  return 1;
}
