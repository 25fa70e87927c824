#pragma once

#include <string>
#include <string_view>

namespace cab {

enum class PathPart { Directory = 0, FileName = 1 };

// Splits a data path at its last "\": the directory includes the "\"; the file
// name is at most 256 characters. Without a "\" the directory is empty and the
// file name is the whole path (cut to 256 characters).
std::string splitPath(std::string_view path, PathPart part);

}  // namespace cab
