#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace cab::testing {

struct CommandResult {
  int exitStatus = -1;
  std::string out;
  std::string err;
};
using HeadlessResult = CommandResult;

// Runs a shell command line, its stdout and stderr read apart.
inline CommandResult runCommand(const std::string& commandLine) {
  const auto errFile = std::filesystem::temp_directory_path() / ("cabview-command-err-" + std::to_string(::getpid()));
  const std::string command = commandLine + " 2>" + errFile.string();
  CommandResult result;
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

// Runs cabview-headless with the given arguments (already shell-quoted).
inline HeadlessResult runHeadless(const std::string& arguments) {
  return runCommand(std::string(CABVIEW_HEADLESS) + " " + arguments);
}

inline std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace cab::testing
