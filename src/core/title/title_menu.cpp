#include "core/title/title_menu.h"

#include <algorithm>
#include <filesystem>

#include "core/common/code_points.h"
#include "core/common/rounding.h"
#include "core/platform/dialogs.h"
#include "core/title/title_host.h"

namespace cab {

namespace {

constexpr int MovieWidth = 640, MovieHeight = 360;
constexpr int TitleWidth = 900, TitleHeight = 600;
// The client grows by the status label's height while a drive loads.
constexpr int LoadingHeight = 618;
// 160 s of opening movie at most.
constexpr int MovieTicks = 1600;
constexpr int LongestPickedName = 256;

// The menu's reveal: button k shows once menuTick exceeds 2 + k.
constexpr int FirstLineTick = 2;
constexpr int HelpTick = 8;
constexpr int BackTick = 9;
constexpr int LastRevealTick = 11;

}  // namespace

TitleMenu::TitleMenu(DataDirectory data, TitleHost& host, Dialogs& dialogs, int screenWidth, int screenHeight)
    : data_(std::move(data)), host_(host), dialogs_(dialogs), screenWidth_(screenWidth), screenHeight_(screenHeight) {}

bool TitleMenu::fileExists(const std::string& dataPath) const {
  if (dataPath.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(data_.resolve(dataPath), ec);
}

void TitleMenu::centre(int width, int height) {
  view_.clientWidth = width;
  view_.clientHeight = height;
  view_.left = static_cast<int>(Round((screenWidth_ - width) / 2.0L));
  view_.top = static_cast<int>(Round((screenHeight_ - height) / 2.0L));
}

bool TitleMenu::FormCreate(int pictureIndex) {
  if (!fileExists(SettingsFile)) {
    dialogs_.message("実行ファイルが正しい場所に配置されていません");
    return false;
  }
  // The movie window stands a little left of and above the centre the title takes later.
  view_.clientWidth = MovieWidth;
  view_.clientHeight = MovieHeight;
  view_.left = static_cast<int>(Round((screenWidth_ - 1000) / 2.0L));
  view_.top = static_cast<int>(Round((screenHeight_ - 666) / 2.0L));
  state_.menuTick = 0;
  view_.timerEnabled = true;
  state_.titleState = TitlePhase::Movie;
  if (fileExists(OpeningMovie)) {
    state_.mediaFile = OpeningMovie;
    if (!host_.playMovie(OpeningMovie)) dialogs_.message("オープニングムービーを開けません");
  }
  view_.lineVisible.fill(false);
  view_.helpVisible = false;
  view_.quitVisible = false;
  state_.titlePicture = "image\\title\\title0" + std::to_string(std::clamp(pictureIndex, 0, 3) + 1) + ".jpg";
  state_.menuPicture = MenuPicture;
  return true;
}

void TitleMenu::Timer1Timer() {
  if (state_.titleState == TitlePhase::Movie) {
    ++state_.movieTick;
    if (state_.movieTick == MovieTicks && view_.movieVisible) Imageclick();
    // Without an opening movie the chime plays and the title picture follows at once.
    if (state_.mediaFile.empty() && view_.movieVisible) {
      state_.mediaFile = MovieChime;
      host_.playSound(MovieChime);  // a chime that cannot play is passed over
      Imageclick();
    }
    return;
  }
  if (state_.titleState == TitlePhase::Menu) {
    ++state_.menuTick;
    revealMenu();
  }
}

void TitleMenu::revealMenu() {
  view_.quitVisible = false;
  for (int k = 0; k < RouteButtonCount; ++k)
    if (state_.menuTick > FirstLineTick + k) view_.lineVisible[static_cast<std::size_t>(k)] = true;
  if (state_.menuTick > HelpTick) view_.helpVisible = true;
  if (state_.menuTick > BackTick) view_.backVisible = true;
  if (state_.menuTick > LastRevealTick) view_.timerEnabled = false;
}

void TitleMenu::Imageclick() {
  switch (state_.titleState) {
    case TitlePhase::Movie:
      if (!state_.mediaFile.empty()) host_.stopMedia();
      view_.movieVisible = false;
      centre(TitleWidth, TitleHeight);
      state_.titleState = TitlePhase::Picture;
      view_.ctsVisible = true;
      view_.picture = state_.titlePicture;
      break;
    case TitlePhase::Picture:
      state_.titleState = TitlePhase::Menu;
      view_.timerEnabled = true;
      view_.picture = state_.menuPicture;
      view_.quitVisible = false;
      view_.ctsVisible = false;
      if (const auto size = host_.pictureSize(state_.menuPicture)) {
        view_.clientWidth = size->width;
        view_.clientHeight = size->height;
      }
      break;
    case TitlePhase::Menu:
      break;
  }
}

void TitleMenu::lineclick(int button) {
  if (button < 0 || button >= RouteButtonCount) return;
  const RouteButton& b = RouteButtons[static_cast<std::size_t>(button)];
  view_.cursorVisible = true;
  view_.cursorLeft = b.left - 32;
  view_.cursorTop = b.top + 10;
  view_.train1Visible = false;
  state_.choice.routeFile = b.routeFile;
  state_.choice.endStation = 999;
  if (button < 3) state_.choice.startStation = 0;
  view_.train1Visible = true;
}

// The dialog's path splits at its last separator ("\" as the data write it,
// or "/"): the directory keeps it, the file name is at most 256 characters.
void TitleMenu::Menumousedown() {
  const auto chosen = host_.pickVehicleFile();
  if (!chosen) return;
  const std::size_t cut = chosen->find_last_of("\\/");
  state_.pickedDir = cut == std::string::npos ? "" : chosen->substr(0, cut + 1);
  state_.pickedFile = firstCodePoints(cut == std::string::npos ? *chosen : chosen->substr(cut + 1), LongestPickedName);
  Trainclick(false);
}

void TitleMenu::Trainclick(bool fromTrainButton) {
  TitleChoice& c = state_.choice;
  if (!state_.pickedFile.empty()) {
    c.vehicleFile = state_.pickedFile;
    c.vehicleDir = state_.pickedDir;
  } else if (fromTrainButton) {
    c.vehicleFile = BuiltInVehicleFile;
    c.vehicleDir.clear();
  }
  state_.pickedFile.clear();
  state_.pickedDir.clear();
  if (!fileExists(c.routeFile)) {
    dialogs_.message("選択されたシナリオ" + c.routeFile + "は未実装です");
    return;
  }
  if (!fileExists(c.vehicleDir + c.vehicleFile)) {
    dialogs_.message("選択された列車" + c.vehicleFile + "は未実装です");
    return;
  }
  host_.stopMedia();
  state_.mediaFile = StartSound;
  host_.playSound(StartSound);
  view_.clientHeight = LoadingHeight;
  view_.status = "Formを作成しています";
  host_.refresh();
  // The title comes back in its menu however the drive ended.
  struct Return {
    TitleView& view;
    ~Return() { view.clientHeight = TitleHeight; }
  } comeBack{view_};
  host_.runDrive(c);
}

void TitleMenu::backclick() {
  state_.titleState = TitlePhase::Picture;
  view_.picture = state_.titlePicture;
  view_.lineVisible.fill(false);
  view_.train1Visible = false;
  view_.helpVisible = false;
  view_.cursorVisible = false;
  view_.backVisible = false;
  view_.ctsVisible = true;
  view_.quitVisible = true;
}

void TitleMenu::quitClick() { host_.closeWindow(); }

void TitleMenu::helpclick() { host_.openDocument(ReadmePage); }

bool TitleMenu::FormCloseQuery() { return host_.confirm("終了しますか？"); }

}  // namespace cab
