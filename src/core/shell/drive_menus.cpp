// The driving window's "Display" and "Save" menus.
#include "core/platform/dialogs.h"
#include "core/platform/settings_store.h"
#include "core/shell/display_options_store.h"
#include "core/shell/drive.h"

namespace cab {

void Drive::displayClick(DisplayItem item) {
  const bool checked = toggleDisplayItem(displayChecks, options, item);
  if (item != DisplayItem::OFF2) return;
  const OverlaySprites& o = overlays.sprites;
  for (SpriteId line : {o.stopLineS, o.stopLineM, o.stopLineE})
    if (line >= 0) sprites.sprite(line).visible = !checked;
}

SaveMenu Drive::Saveloadclick() const { return readSaveMenu(platform_.settings); }

// The message shows even when the store could not keep the state.
void Drive::S2Click(int slot) {
  SettingsStore& store = platform_.settings;
  store.write(OptionsKeyPath, saveRecordName(slot), savedStateRecord(currentSavedState(*this)));
  store.write(OptionsKeyPath, saveTitleName(slot), savedStateDescription(route.LineName2, stations(), train.position));
  platform_.dialogs.message("運転状態を保存しました");
}

// A record that does not read as seven fields is refused before anything changes.
void Drive::L1Click(int slot) {
  const std::string record = platform_.settings.read(OptionsKeyPath, saveRecordName(slot)).value_or("");
  if (record.empty()) {
    platform_.dialogs.message("運転状態が保存されていません");
    return;
  }
  if (savedStateRoute(record) != request_.routeFile) {
    platform_.dialogs.message("運転状態を保存したダイヤではありません");
    return;
  }
  const auto state = parseSavedState(record);
  if (!state) {
    platform_.dialogs.message("保存された運転状態を読み取れません");
    return;
  }
  restoreSavedState(*this, *state);
}

}  // namespace cab
