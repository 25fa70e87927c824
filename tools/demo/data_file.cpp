#include "data_file.h"

#include <fstream>
#include <stdexcept>

#include "core/common/text_decoding.h"

namespace cab::demo {

void DataFile::line(std::string_view text) {
  text_ += text;
  text_ += '\n';
}

void DataFile::key(std::string_view key, std::initializer_list<std::string> values) {
  line(key);
  for (const auto& v : values) line(v);
}

void DataFile::key(std::string_view key, const std::vector<std::string>& values) {
  line(key);
  for (const auto& v : values) line(v);
}

void DataFile::table(std::string_view key, const std::vector<std::string>& rows) {
  this->key(key, rows);
  line("#");
}

void DataFile::save(const std::filesystem::path& path) const {
  std::string bytes;
  for (char c : encodeCp932(text_)) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  writeBytes(path, bytes);
}

std::string row(std::initializer_list<long long> fields) {
  std::string out;
  for (long long f : fields) {
    if (!out.empty()) out += ',';
    out += std::to_string(f);
  }
  return out;
}

std::string joinFields(const std::vector<std::string>& fields) {
  std::string out;
  for (const auto& f : fields) {
    if (!out.empty()) out += ',';
    out += f;
  }
  return out;
}

void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::filesystem::path diskPath(const std::filesystem::path& root, std::string_view dataPath) {
  std::string p(dataPath);
  for (char& c : p)
    if (c == '\\') c = '/';
  return root / p;
}

}  // namespace cab::demo
