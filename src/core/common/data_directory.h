#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace cab {

// The data directory (the program directory of the data files) and the one
// place where data paths become files. Data paths are written for Windows:
// "\" separators and any letter case. resolve() turns "\" into "/" and, for
// each component that does not exist as written, takes the entry of its
// folder that matches case-insensitively.
class DataDirectory {
 public:
  explicit DataDirectory(std::filesystem::path root);

  const std::filesystem::path& root() const { return root_; }

  // A relative data path is taken from the data directory; an absolute one as it is.
  std::filesystem::path resolve(std::string_view dataPath) const;

  bool exists(std::string_view dataPath) const;

  // The whole file, or nothing when it cannot be opened or read.
  std::optional<std::string> readBytes(std::string_view dataPath) const;

 private:
  std::filesystem::path root_;
};

}  // namespace cab
