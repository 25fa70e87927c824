#pragma once

#include <memory>
#include <span>
#include <string>

#include "core/common/data_directory.h"
#include "core/common/picture.h"
#include "core/data/route_data.h"
#include "core/data/route_images.h"
#include "core/data/ui_strings.h"
#include "core/data/vehicle_spec.h"
#include "core/input/key_state.h"
#include "core/input/keyboard_state.h"
#include "core/presentation/front_video.h"
#include "core/presentation/front_video_sound.h"
#include "core/presentation/panel/panel_state.h"
#include "core/presentation/sprite_model.h"
#include "core/route/boarding_random.h"
#include "core/route/move_menu.h"
#include "core/route/operation_state.h"
#include "core/route/stations.h"
#include "core/shell/display_options.h"
#include "core/shell/frame_timing.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/doors.h"
#include "core/vehicle/gearbox.h"
#include "core/vehicle/track_conditions.h"
#include "core/vehicle/train_state.h"

namespace cab {

inline constexpr const char* ProgramCaption = "鉄道運転シミュレータ";

class CabSurface;
class Clock;
class Dialogs;
class DriveWindow;
class PictureLoader;
class SettingsStore;
class StatusSink;
class VideoSource;

// What the title chose: the route file (in the data directory), the vehicle
// file and its directory, and the stretch of the route to drive.
struct DriveRequest {
  std::string routeFile;
  std::string vehicleDirectory;
  std::string vehicleFile;
  int startStation = 0;
  int endStation = 0;
};

// The platform services a drive uses, handed in by the program.
struct DrivePlatform {
  Dialogs& dialogs;
  SettingsStore& settings;
  Clock& clock;
  StatusSink& status;
  CabSurface& surface;
  DriveWindow& window;
  const PictureLoader& pictures;
  VideoSource& video;
};

// One drive: the life of one driving window. It owns every record of the
// drive; loading, the frame loop, the 100 ms tick, pause and resume and the
// close sequence are its handlers.
class Drive {
 public:
  Drive(DataDirectory data, DrivePlatform platform, DriveRequest request);

  // Loads everything in its fixed order and starts the drive. A data error is
  // a HaltError carrying the message texts.
  void FormCreate();
  // Shows the start picture while the drive is not running.
  void FormActivate();
  // Toggles running and paused.
  void start1Click();
  // A click on the cab surface resumes a paused drive.
  void movieclick();
  // The back button: fade out, then close.
  void BackClick();
  // Clean-up before the window closes.
  void FormCloseQuery();

  // The frame loop, called whenever the program is idle (every 1 ms).
  void AppIdle();
  // The 100 ms simulation tick.
  void Timer1Timer();
  // The tick's video-switch step; false when the rest of the tick is skipped.
  bool switchMovieStep();

  // The window caption: the program's name until the first tick names the line.
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& text);

  bool timer1Enabled() const { return timer1Enabled_; }
  bool closed() const { return closed_; }
  const std::string& startCaption() const { return startCaption_; }
  const DataDirectory& data() const { return data_; }
  const DriveRequest& request() const { return request_; }

  // The drive's records.
  UiStrings strings;
  VehicleSpec vehicle;
  RouteData route;
  RouteImageLists routeImages;
  std::vector<MoveMenuItem> moveMenu;  // the "Move" menu's stations, in menu order
  TrainState train;
  TrackConditions track;
  OperationState operation;
  FrameTiming timing;
  DisplayOptions options;
  SpriteModel sprites;
  KeyState keys;
  KeyboardState keyboard;
  std::unique_ptr<SoundChannels> sound = std::make_unique<SilentSoundChannels>();
  Picture videoSurface;  // the off-screen video surface, W x H
  FrontVideo video;
  CabPanelState panel;
  // The second "[Staf]" picture shown before the drive starts (data path; none when empty).
  std::string startPicture;
  int reverseRunning = 0;  // 1 while the train runs backwards through the video

  // The rows in use of the route's station, "[MovieSwitch]" and "[MovieStop]" tables.
  std::span<const StationData> stations() const;
  std::span<MovieSwitchData> movieSwitches();
  std::span<const int> movieStops() const;

  // The route's sounds, the boarding draw, and the door and gearbox values of the vehicle.
  RouteSounds routeSounds;
  BoardingRandom boarding;
  DoorSpec doorSpec;
  GearboxSpec gearbox;
  // Seed of a boarding draw: the drive clock's milliseconds.
  std::uint64_t boardingSeed() const;
  // Jumps to station t of the "Move" menu.
  void StationClick(int t);

  int physicsOn = 0;
  int inputLocked = 0;
  int fadeLevel = 0;
  int swayOffset = 0;

 private:
  // Loading steps, in their order.
  void readDisplayOptions();
  void loadSettingsFile();
  void loadVehicleFile();
  void loadRouteFile();
  void buildMoveMenu();
  void createVideoSurface();
  void setupRouteEnvironment();
  void placeTrainAtStart();
  void openRouteVideo();
  void connectStations();
  void setInitialState();
  // The stations' part of the initial state and the start clock.
  void startStations();
  void startTexts();

  // The passenger load (percent) of the section the train runs in: the
  // station record before the next stop.
  int sectionLoadPercent() const;
  // Frame steps. renderFrame returns whether the surface could draw and sets
  // fadeEnded when the fade-out has run its course.
  bool renderFrame(bool& fadeEnded);
  void showStartPicture();

  DataDirectory data_;
  DrivePlatform platform_;
  DriveRequest request_;
  bool timer1Enabled_ = false;
  bool closed_ = false;
  std::string startCaption_;
  std::string caption_ = ProgramCaption;
  // The sound channels the video silences; none are loaded yet.
  NoVideoSoundChannels videoChannels_;
};

}  // namespace cab
