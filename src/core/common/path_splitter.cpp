#include "core/common/path_splitter.h"

#include "core/common/code_points.h"

namespace cab {

std::string splitPath(std::string_view path, PathPart part) {
  std::size_t slash = path.rfind('\\');
  std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  if (part == PathPart::Directory) return std::string(path.substr(0, nameStart));
  return firstCodePoints(path.substr(nameStart), 256);
}

}  // namespace cab
