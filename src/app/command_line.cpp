#include "app/command_line.h"

namespace cab::app {

const char* const UsageText =
    "usage: cabview [DATA_DIR] [--route FILE] [--vehicle FILE] [--vehicle-dir DIR]\n"
    "       cabview --help | --version\n"
    "\n"
    "Drives a train from the cab. DATA_DIR holds the settings file \"vantorel.dat\", the vehicle\n"
    "and route files and the pictures, sounds and videos they name; it defaults to the current\n"
    "directory. Without --route, --vehicle or --vehicle-dir the title window offers the routes\n"
    "and the train; with any of them the drive starts at once (the route defaults to\n"
    "line_Local_East1.dat, the vehicle to train_E231.dat).\n"
    "cabview needs a display; cabview-headless drives a route without one.";

QStringList argumentList(int argc, char** argv) {
  QStringList list;
  for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
  return list;
}

std::optional<CommandLine> parseCommandLine(const QStringList& arguments, std::string& error) {
  static const QStringList valueOptions = {"--route", "--vehicle", "--vehicle-dir", "--grab", "--grab-after"};
  CommandLine c;
  bool haveDirectory = false;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (arg == "--help" || arg == "-h") {
      c.help = true;
      return c;
    }
    if (arg == "--version") {
      c.version = true;
      return c;
    }
    if (!arg.startsWith('-')) {
      if (haveDirectory) return error = "unexpected argument " + arg.toStdString(), std::nullopt;
      c.dataDirectory = arg.toStdString();
      haveDirectory = true;
      continue;
    }
    if (!valueOptions.contains(arg)) return error = "unknown option " + arg.toStdString(), std::nullopt;
    if (i + 1 >= arguments.size()) return error = arg.toStdString() + " needs a value", std::nullopt;
    const QString value = arguments[++i];
    if (arg == "--route") {
      c.request.routeFile = value.toStdString();
      c.directDrive = true;
    } else if (arg == "--vehicle") {
      c.request.vehicleFile = value.toStdString();
      c.directDrive = true;
    } else if (arg == "--vehicle-dir") {
      c.request.vehicleDirectory = value.toStdString();
      c.directDrive = true;
    } else if (arg == "--grab") {
      c.grabs.push_back({value});
    } else {
      bool ok = false;
      const double seconds = value.toDouble(&ok);
      if (c.grabs.empty()) return error = "--grab-after follows a --grab", std::nullopt;
      if (!ok || seconds < 0) return error = "--grab-after takes seconds", std::nullopt;
      c.grabs.back().afterSeconds = seconds;
    }
  }
  return c;
}

}  // namespace cab::app
