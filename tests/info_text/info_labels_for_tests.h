#pragma once

#include <string>
#include <vector>

namespace cab::testing {

// "[InfoLabel]" entries that name their own index: "I0", "I1", ...
inline std::vector<std::string> numberedInfoLabels() {
  std::vector<std::string> labels;
  for (int i = 0; i < 100; ++i) labels.push_back("I" + std::to_string(i));
  return labels;
}

}  // namespace cab::testing
