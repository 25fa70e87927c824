#pragma once
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace cab::demo {

// A data file being written: lines of UTF-8 text that are saved as CP932
// with CRLF line ends, the way the data files are stored.
class DataFile {
 public:
  void line(std::string_view text);
  // A key line followed by its value lines.
  void key(std::string_view key, std::initializer_list<std::string> values);
  void key(std::string_view key, const std::vector<std::string>& values);
  // A key line, its rows and the "#" line that ends the table.
  void table(std::string_view key, const std::vector<std::string>& rows);
  void remark(std::string_view text) { line(text); }
  void save(const std::filesystem::path& path) const;

 private:
  std::string text_;
};

// Comma-joined fields of one table row.
std::string row(std::initializer_list<long long> fields);
std::string joinFields(const std::vector<std::string>& fields);

// Writes raw bytes, creating the folders on the way.
void writeBytes(const std::filesystem::path& path, std::string_view bytes);
// A path as the data files name it ("\" separated) turned into a file below root.
std::filesystem::path diskPath(const std::filesystem::path& root, std::string_view dataPath);

}  // namespace cab::demo
