#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <utility>

#include "app/command_line.h"
#include "app/drive_form.h"
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

// Opens the driving window and runs it until it closes.
int drive(GuardedApplication& application, const cab::app::CommandLine& options) {
  cab::qt::QtSettingsStore settings;
  cab::qt::CallbackStatus status([](const std::string& text) { std::cerr << text << '\n'; });
  cab::app::TForm1 form(cab::DataDirectory(options.dataDirectory), options.request, settings, status);
  if (!form.load()) return 1;
  form.show();

  // Saves pictures of the window at the given times, then quits.
  double lastGrab = 0;
  for (const auto& g : options.grabs) lastGrab = std::max(lastGrab, g.afterSeconds);
  for (const auto& g : options.grabs)
    QTimer::singleShot(static_cast<int>(g.afterSeconds * 1000), &form, [&form, &application, g, lastGrab] {
      form.grab().save(g.file);
      if (g.afterSeconds >= lastGrab) application.quit();
    });
  QObject::connect(&application, &QApplication::lastWindowClosed, &application, &QApplication::quit);
  return application.exec();
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
    status = drive(application, *options);
    failure = application.takeFailure();
  } catch (...) {
    failure = errorTexts(std::current_exception());
  }
  if (!failure) return status;
  cab::qt::QtDialogs dialogs(nullptr);
  for (const auto& text : *failure) dialogs.message(text);
  return 1;
}
