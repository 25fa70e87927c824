#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/text_decoding.h"

namespace cab::testing {

inline std::string readAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The small demo set, generated once per test process.
inline const std::filesystem::path& demoDir() {
  static const std::filesystem::path dir = [] {
    const auto d = std::filesystem::temp_directory_path() / ("cabview-demo-test-" + std::to_string(::getpid()));
    std::filesystem::remove_all(d);
    const std::string cmd = std::string(CABVIEW_DEMO) + " '" + d.string() + "' --small >/dev/null 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    return d;
  }();
  return dir;
}

// A data file's lines, decoded.
inline std::vector<std::string> lines(const std::filesystem::path& p) {
  std::vector<std::string> out;
  std::stringstream s(decodeCp932(readAll(p)));
  for (std::string l; std::getline(s, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    out.push_back(l);
  }
  return out;
}

// The value lines after a key, up to its "#".
inline std::vector<std::string> after(const std::vector<std::string>& ls, const std::string& key) {
  std::vector<std::string> rows;
  for (size_t i = 0; i < ls.size(); ++i)
    if (ls[i] == key)
      for (size_t k = i + 1; k < ls.size() && ls[k] != "#"; ++k) rows.push_back(ls[k]);
  return rows;
}

}  // namespace cab::testing
