#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>
#include <algorithm>
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

  // Saves pictures of the window at the given times, then quits.
  double lastGrab = 0;
  for (const auto& g : options->grabs) lastGrab = std::max(lastGrab, g.afterSeconds);
  for (const auto& g : options->grabs)
    QTimer::singleShot(static_cast<int>(g.afterSeconds * 1000), &form, [&form, &application, g, lastGrab] {
      form.grab().save(g.file);
      if (g.afterSeconds >= lastGrab) application.quit();
    });
  QObject::connect(&application, &QApplication::lastWindowClosed, &application, &QApplication::quit);
  return application.exec();
}
