#pragma once

#include <optional>
#include <string>

namespace cab {

// The per-user settings store, addressed by key path and value name
// (for example "\Software\Vantorel\Halvet", "Kanko").
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> read(const std::string& keyPath, const std::string& name) const = 0;
  // Returns false when the value could not be written.
  virtual bool write(const std::string& keyPath, const std::string& name, const std::string& value) = 0;
};

}  // namespace cab
