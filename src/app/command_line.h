#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "core/shell/drive.h"

namespace cab::app {

struct CommandLine {
  std::string dataDirectory = ".";
  DriveRequest request{"line_Local_East1.dat", "", "train_E231.dat", 0, 999};
  QString grabFile;
  double grabAfterSeconds = 3;
};

// cabview [DATA_DIR] [--route FILE] [--vehicle FILE] [--vehicle-dir DIR]
//         [--grab FILE [--grab-after SECONDS]]
std::optional<CommandLine> parseCommandLine(const QStringList& arguments, std::string& error);

}  // namespace cab::app
