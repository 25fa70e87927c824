#include "app/command_line.h"

namespace cab::app {

std::optional<CommandLine> parseCommandLine(const QStringList& arguments, std::string& error) {
  CommandLine c;
  bool haveDirectory = false;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (!arg.startsWith("--")) {
      if (haveDirectory) {
        error = "unexpected argument " + arg.toStdString();
        return std::nullopt;
      }
      c.dataDirectory = arg.toStdString();
      haveDirectory = true;
      continue;
    }
    if (i + 1 >= arguments.size()) {
      error = arg.toStdString() + " needs a value";
      return std::nullopt;
    }
    const QString value = arguments[++i];
    if (arg == "--route")
      c.request.routeFile = value.toStdString();
    else if (arg == "--vehicle")
      c.request.vehicleFile = value.toStdString();
    else if (arg == "--vehicle-dir")
      c.request.vehicleDirectory = value.toStdString();
    else if (arg == "--grab")
      c.grabs.push_back({value});
    else if (arg == "--grab-after") {
      bool ok = false;
      const double seconds = value.toDouble(&ok);
      if (c.grabs.empty()) {
        error = "--grab-after follows a --grab";
        return std::nullopt;
      }
      c.grabs.back().afterSeconds = seconds;
      if (!ok || seconds < 0) {
        error = "--grab-after takes seconds";
        return std::nullopt;
      }
    } else {
      error = "unknown option " + arg.toStdString();
      return std::nullopt;
    }
  }
  return c;
}

}  // namespace cab::app
