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
  DriveRequest request{"line_Local_East1.dat", "", "train_E231.dat", 0, 999};
  std::vector<WindowGrab> grabs;  // the program quits after the last one
};

// cabview [DATA_DIR] [--route FILE] [--vehicle FILE] [--vehicle-dir DIR]
//         [--grab FILE [--grab-after SECONDS]]...
// Each --grab-after applies to the --grab before it.
std::optional<CommandLine> parseCommandLine(const QStringList& arguments, std::string& error);

}  // namespace cab::app
