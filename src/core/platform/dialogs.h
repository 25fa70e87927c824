#pragma once

#include <string>

namespace cab {

// Message boxes. A non-fatal message is shown and the caller goes on; the
// program's end after a halt is the caller's business.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void message(const std::string& text) = 0;
};

}  // namespace cab
