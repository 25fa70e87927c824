#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "core/shell/drive.h"

namespace cab::app {

// A picture of the window saved after some seconds of the drive.
struct WindowGrab {
  QString file;
  double afterSeconds = 3;
};

struct CommandLine {
  std::string dataDirectory = ".";
  // Set by --route, --vehicle or --vehicle-dir: the drive starts at once
  // instead of the title.
  bool directDrive = false;
  DriveRequest request{"line_Local_East1.dat", "", "train_E231.dat", 0, std::nullopt};
  // The program quits after the last one: pictures of the driving window, or
  // of the whole screen when the title runs.
  std::vector<WindowGrab> grabs;
  bool help = false;     // --help, -h: print the usage text instead of driving
  bool version = false;  // --version
};

// The usage text, several lines without a final newline.
extern const char* const UsageText;

// The program's arguments, read without a QApplication.
QStringList argumentList(int argc, char** argv);

// cabview [DATA_DIR] [--route FILE] [--vehicle FILE] [--vehicle-dir DIR]
//         [--grab FILE [--grab-after SECONDS]]...
// Each --grab-after applies to the --grab before it. --help, -h and
// --version stand alone: the arguments after them are not read.
std::optional<CommandLine> parseCommandLine(const QStringList& arguments, std::string& error);

}  // namespace cab::app
