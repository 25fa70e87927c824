#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace cab::testing {

struct HeadlessResult {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// Runs cabview-headless with the given arguments (already shell-quoted).
inline HeadlessResult runHeadless(const std::string& arguments) {
  const auto errFile = std::filesystem::temp_directory_path() / ("cabview-headless-err-" + std::to_string(::getpid()));
  const std::string command = std::string(CABVIEW_HEADLESS) + " " + arguments + " 2>" + errFile.string();
  HeadlessResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer{};
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) result.out.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream err(errFile);
  std::stringstream text;
  text << err.rdbuf();
  result.err = text.str();
  std::filesystem::remove(errFile);
  return result;
}

inline std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace cab::testing
