#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>
#include <iostream>

#include "app/command_line.h"
#include "app/drive_form.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QFont font = application.font();
  font.setFamilies({"Meiryo", "Noto Sans CJK JP", "VL Gothic", "IPAGothic"});
  application.setFont(font);

  std::string error;
  auto options = cab::app::parseCommandLine(application.arguments(), error);
  if (!options) {
    std::cerr << error << '\n';
    return 2;
  }

  cab::qt::QtSettingsStore settings;
  cab::qt::CallbackStatus status([](const std::string& text) { std::cerr << text << '\n'; });
  cab::app::TForm1 form(cab::DataDirectory(options->dataDirectory), options->request, settings, status);
  if (!form.load()) return 1;
  form.show();

  if (!options->grabFile.isEmpty()) {
    // Saves a picture of the window after the given time, then quits.
    QTimer::singleShot(static_cast<int>(options->grabAfterSeconds * 1000), &form, [&] {
      form.grab().save(options->grabFile);
      application.quit();
    });
  }
  QObject::connect(&application, &QApplication::lastWindowClosed, &application, &QApplication::quit);
  return application.exec();
}
