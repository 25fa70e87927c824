// cabview-demo OUT_DIR [--small]: writes the demo content set into OUT_DIR.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "content_set.h"

int main(int argc, char** argv) {
  std::string out;
  bool small = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--small")
      small = true;
    else if (out.empty() && !a.empty() && a[0] != '-')
      out = a;
    else {
      std::fprintf(stderr, "unknown argument: %s\n", a.c_str());
      return 2;
    }
  }
  if (out.empty()) {
    std::fprintf(stderr, "usage: cabview-demo OUT_DIR [--small]\n");
    return 2;
  }
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  try {
    cab::demo::writeContentSet(out, small);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cabview-demo: %s\n", e.what());
    return 1;
  }
  return 0;
}
