#include "core/common/data_directory.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace cab {

namespace fs = std::filesystem;

namespace {

std::string asciiLower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// The entry of `folder` whose name equals `name` ignoring ASCII case; the
// alphabetically first one when several do, so the choice is stable.
std::optional<fs::path> findCaseInsensitive(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return std::nullopt;
  std::string wanted = asciiLower(name);
  std::vector<std::string> matches;
  for (const auto& entry : it) {
    std::string candidate = entry.path().filename().string();
    if (asciiLower(candidate) == wanted) matches.push_back(candidate);
  }
  if (matches.empty()) return std::nullopt;
  return folder / *std::min_element(matches.begin(), matches.end());
}

}  // namespace

DataDirectory::DataDirectory(fs::path root) : root_(std::move(root)) {}

fs::path DataDirectory::resolve(std::string_view dataPath) const {
  std::string slashed(dataPath);
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  fs::path written(slashed);
  fs::path result = written.is_absolute() ? written.root_path() : root_;
  bool stillExists = true;  // once a component is missing, later ones are joined as written
  for (const auto& part : written.relative_path()) {
    std::string name = part.string();
    if (name.empty()) continue;
    fs::path direct = result / part;
    std::error_code ec;
    if (!stillExists || name == "." || name == ".." || fs::exists(direct, ec)) {
      result = direct;
      continue;
    }
    if (auto found = findCaseInsensitive(result, name)) {
      result = *found;
    } else {
      result = direct;
      stillExists = false;
    }
  }
  return result;
}

bool DataDirectory::exists(std::string_view dataPath) const {
  std::error_code ec;
  return fs::is_regular_file(resolve(dataPath), ec);
}

std::optional<std::string> DataDirectory::readBytes(std::string_view dataPath) const {
  fs::path path = resolve(dataPath);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace cab
