// cabview-demo OUT_DIR [--small]: writes the demo content set into OUT_DIR.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "content_set.h"

namespace {

const char* const UsageText =
    "usage: cabview-demo OUT_DIR [--small]\n"
    "       cabview-demo --help | --version\n"
    "\n"
    "Writes the demo content set (settings, vehicles, routes, pictures, sounds and the\n"
    "rendered route videos) into OUT_DIR. --small renders the videos at 160 x 90.\n";

}  // namespace

int main(int argc, char** argv) {
  std::string out;
  bool small = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::fputs(UsageText, stdout);
      return 0;
    }
    if (a == "--version") {
      std::puts("cabview-demo " CABVIEW_VERSION);
      return 0;
    }
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
    std::fputs(UsageText, stderr);
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
