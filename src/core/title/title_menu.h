#pragma once

#include <array>
#include <string>

#include "core/common/data_directory.h"

namespace cab {

class Dialogs;
class TitleHost;

// The title's phases: the opening movie, the title picture, the menu.
enum class TitlePhase { Movie = 0, Picture = 2, Menu = 3 };

inline constexpr int RouteButtonCount = 5;
inline constexpr const char* BuiltInVehicleFile = "train_E231.dat";
inline constexpr const char* OpeningMovie = "move\\opening.avi";
inline constexpr const char* MovieChime = "sound\\sc9110.wav";
inline constexpr const char* StartSound = "sound\\start.wav";
inline constexpr const char* ReadmePage = "readme.html";
inline constexpr const char* SettingsFile = "vantorel.dat";

// A route button: its name, its picture and the route file it chooses.
struct RouteButton {
  const char* name;
  const char* picture;
  const char* routeFile;
  int left;
  int top;
};
inline constexpr std::array<RouteButton, RouteButtonCount> RouteButtons{{
    {"line1", "image\\title\\line01.bmp", "line_Local_East1.dat", 50, 180},
    {"line2", "image\\title\\line02.bmp", "line_Local_East2.dat", 50, 240},
    {"line3", "image\\title\\line03.bmp", "line_Local_West3.dat", 50, 300},
    {"Line4", "image\\title\\line04.bmp", "line_Local_West1.dat", 50, 360},
    {"Line5", "image\\title\\line05.bmp", "line_Local_West2.dat", 50, 420},
}};
inline constexpr const char* TrainButtonPicture = "image\\title\\train1.bmp";
inline constexpr const char* MenuPicture = "image\\title\\title2.jpg";
// The selection marker and the start prompt, both keyed by their
// bottom-left pixel's colour.
inline constexpr const char* CursorPicture = "image\\title\\cursor.bmp";
inline constexpr const char* StartPromptPicture = "image\\title\\cts.bmp";

// What the title chose for the next drive: the route file (in the data
// directory), the vehicle file and its directory ("" for the data
// directory), and the stations the drive's "Move" menu offers.
struct TitleChoice {
  std::string routeFile;
  std::string vehicleFile;
  std::string vehicleDir;
  int startStation = 0;
  int endStation = 0;
};

// The title's state: its phase and tick counters, the choice so far and the
// pictures it shows.
struct TitleState {
  TitlePhase titleState = TitlePhase::Movie;
  int movieTick = 0;
  // Counted in the menu; never reset, so only the first menu of a run is
  // revealed step by step.
  int menuTick = 0;
  TitleChoice choice;
  // A vehicle file chosen in the dialog, until the train click takes it.
  std::string pickedFile;
  std::string pickedDir;
  std::string titlePicture;
  std::string menuPicture;
  // The file the media player has open ("" none).
  std::string mediaFile;
};

// What the title window shows: its place and client size, the background
// picture, which components are visible, the cursor's place, the status
// label's text and whether the 100 ms timer runs.
struct TitleView {
  int left = 0;
  int top = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  std::string picture;       // Image1
  bool movieVisible = true;  // DXDraw1, the movie surface
  std::array<bool, RouteButtonCount> lineVisible{};
  bool train1Visible = false;
  bool cursorVisible = false;
  int cursorLeft = 0;
  int cursorTop = 0;
  bool ctsVisible = false;  // the start prompt
  bool helpVisible = false;
  bool quitVisible = false;
  bool backVisible = false;
  bool timerEnabled = false;
  std::string status;  // Label1, below the visible area until the window grows
};

// The title window's logic (TForm5): the opening movie, the title picture,
// the menu revealed step by step, the route and train choice and the start
// of a drive. The window draws `view()` and hands its events here.
class TitleMenu {
 public:
  TitleMenu(DataDirectory data, TitleHost& host, Dialogs& dialogs, int screenWidth, int screenHeight);

  // Sets the window up and starts the opening movie; `pictureIndex` (0 … 3)
  // picks the title picture. False when the settings file is missing: the
  // message has been shown and the program ends.
  bool FormCreate(int pictureIndex);
  // The 100 ms timer.
  void Timer1Timer();
  // A click on the picture, the start prompt or the movie surface.
  void Imageclick();
  // A left click on route button `button` (0 … 4).
  void lineclick(int button);
  // The right mouse button pressed on a route button or the train button.
  void Menumousedown();
  // The train button (fromTrainButton), or a file chosen in the dialog.
  void Trainclick(bool fromTrainButton = true);
  void backclick();
  void quitClick();
  void helpclick();
  // Whether the window may close (and so the program end).
  bool FormCloseQuery();

  const TitleState& state() const { return state_; }
  const TitleView& view() const { return view_; }

 private:
  void centre(int width, int height);
  void revealMenu();
  bool fileExists(const std::string& dataPath) const;

  DataDirectory data_;
  TitleHost& host_;
  Dialogs& dialogs_;
  int screenWidth_;
  int screenHeight_;
  TitleState state_;
  TitleView view_;
};

}  // namespace cab
