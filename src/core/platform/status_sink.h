#pragma once

#include <string>

namespace cab {

// Where loading progress texts appear (the title window's caption label).
class StatusSink {
 public:
  virtual ~StatusSink() = default;
  virtual void progress(const std::string& text) = 0;
};

}  // namespace cab
