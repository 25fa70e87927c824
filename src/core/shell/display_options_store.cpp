#include "core/shell/display_options_store.h"

#include <array>
#include <optional>
#include <utility>

#include "core/data/record_file_reader.h"
#include "core/platform/settings_store.h"

namespace cab {

namespace {

std::array<std::pair<const char*, int DisplayOptions::*>, 5> optionFields() {
  return {{{"Kanko", &DisplayOptions::Kanko},
           {"Information", &DisplayOptions::Information},
           {"ATS", &DisplayOptions::ATS},
           {"Tunnel", &DisplayOptions::Tunnel},
           {"Moji", &DisplayOptions::Moji}}};
}

std::optional<int> readInt(const SettingsStore& store, const char* name) {
  auto text = store.read(OptionsKeyPath, name);
  if (!text) return std::nullopt;
  try {
    return RecordFileReader::toInt(*text);
  } catch (const FormatError&) {
    return std::nullopt;
  }
}

}  // namespace

DisplayOptions readDisplayOptions(const SettingsStore& store) {
  DisplayOptions options;
  for (const auto& [name, field] : optionFields()) {
    auto value = readInt(store, name);
    if (!value) return DisplayOptions{0, 1, 0, 0, 1};
    options.*field = *value;
  }
  return options;
}

void writeDisplayOptions(SettingsStore& store, const DisplayOptions& options) {
  for (const auto& [name, field] : optionFields()) store.write(OptionsKeyPath, name, std::to_string(options.*field));
}

}  // namespace cab
