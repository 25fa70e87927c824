#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/common/data_directory.h"
#include "core/common/frame_timing.h"
#include "core/common/picture.h"
#include "core/data/route_data.h"
#include "core/data/route_images.h"
#include "core/data/ui_strings.h"
#include "core/data/vehicle_spec.h"
#include "core/input/key_state.h"
#include "core/input/keyboard_state.h"
#include "core/presentation/front_video.h"
#include "core/presentation/front_video_sound.h"
#include "core/presentation/info_text/info_labels.h"
#include "core/presentation/info_text/ui_text.h"
#include "core/presentation/overlays/overlay_state.h"
#include "core/presentation/panel/cab_panel_sprites.h"
#include "core/presentation/panel/panel_state.h"
#include "core/presentation/sprite_model.h"
#include "core/route/callouts/callout_state.h"
#include "core/route/operation_state.h"
#include "core/route/protection/protection_state.h"
#include "core/route/running_sounds/held_key_sounds.h"
#include "core/route/running_sounds/running_sound_state.h"
#include "core/route/signals/signal_state.h"
#include "core/route/speed_limits/speed_limit_state.h"
#include "core/route/stations/boarding_random.h"
#include "core/route/stations/doors.h"
#include "core/route/stations/move_menu.h"
#include "core/route/stations/station_state.h"
#include "core/route/stations/stations.h"
#include "core/route/track_events/track_event_rows.h"
#include "core/route/track_events/track_event_state.h"
#include "core/shell/display_menu.h"
#include "core/shell/display_options.h"
#include "core/shell/drive_event.h"
#include "core/shell/saved_state.h"
#include "core/sound/channel_pause.h"
#include "core/sound/sound_bank.h"
#include "core/sound/sound_mixer.h"
#include "core/vehicle/gearbox.h"
#include "core/vehicle/track_conditions.h"
#include "core/vehicle/train_state.h"

namespace cab {

inline constexpr const char* ProgramCaption = "鉄道運転シミュレータ";

class AudioOut;
class CabSurface;
class Clock;
class Dialogs;
class DriveWindow;
class PictureLoader;
class SettingsStore;
class StatusSink;
class VideoSource;

// What the title chose: the route file (in the data directory), the vehicle
// file and its directory, and the stretch of the route to drive: from the
// start station to the end station, or to the route's last without one.
struct DriveRequest {
  std::string routeFile;
  std::string vehicleDirectory;
  std::string vehicleFile;
  int startStation = 0;
  std::optional<int> endStation;
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
  // The sound device that pulls the drive's mixer; none where the host
  // advances the mixer itself (the headless runner).
  AudioOut* audio = nullptr;
};

// One drive: the life of one driving window. It owns every record of the
// drive; loading, the frame loop, the 100 ms tick, pause and resume and the
// close sequence are its handlers.
class Drive {
 public:
  Drive(DataDirectory data, DrivePlatform platform, DriveRequest request);
  // Detaches the sound device from the mixer before the mixer goes.
  ~Drive();

  // Loads everything in its fixed order and starts the drive. A data error is
  // a HaltError carrying the message texts.
  void FormCreate();
  // Shows the start picture while the drive is not running.
  void FormActivate();
  // Clean-up before the window closes.
  void FormCloseQuery();

  // Everything that happens to the drive enters here. Returns false when the
  // event is refused (a jump to a station the "Move" menu does not offer).
  bool handle(const DriveEvent& event);
  // When the drive next needs a Frame event (seconds on the drive's clock):
  // the time the next frame is due; none while paused or closed.
  std::optional<long double> nextDeadline() const;

  // The window caption: the program's name until the first tick names the line.
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& text);

  bool timer1Enabled() const { return timer1Enabled_; }
  bool closed() const { return closed_; }
  const std::string& startCaption() const { return startCaption_; }
  const DataDirectory& data() const { return data_; }
  const DriveRequest& request() const { return request_; }
  Dialogs& dialogs() const { return platform_.dialogs; }

  // The drive's records.
  UiStrings strings;
  VehicleSpec vehicle;
  RouteData route;
  RouteImageLists routeImages;
  std::vector<MoveMenuItem> moveMenu;  // the "Move" menu's stations, in menu order
  TrainState train;
  TrackConditions track;
  // Route operation: what its subsystems share, and each one's own state.
  OperationState operation;
  StationState stationState;
  SignalState signalState;
  ProtectionState protection;
  CalloutState callouts;
  SpeedLimitState speedLimits;  // the limits ahead and the limit sign
  TrackEventState trackEvents;  // gradients, traffic lights, signs, crossings, tunnels
  CabPanelState panel;
  // Which sprite shows which panel element.
  CabPanelSprites panelSprites;
  UiText uiText;          // the short texts shown beside the cab or on the video
  InfoLabels infoLabels;  // the captions of Label0 … Label15
  OverlayState overlays;  // the track-side overlays and the texts on the video
  FrameTiming timing;
  DisplayOptions options;
  DisplayChecks displayChecks;  // the "Display" menu's check marks
  SpriteModel sprites;
  KeyState keys;
  KeyboardState keyboard;
  // The 320 sound channels, mixed at the device's rate; what they did at a pause.
  std::unique_ptr<SoundMixer> sound;
  ChannelResume channelResume{};
  // Every sound of the drive, the running sounds' state and the held horns'.
  SoundBank soundBank;
  RunningSoundState runningSounds;
  HornState horns;
  Picture videoSurface;  // the off-screen video surface, W x H
  FrontVideo video;
  // The second "[Staf]" picture shown before the drive starts (data path; none when empty).
  std::string startPicture;
  bool reverseRunning = false;  // the train runs backwards through the video

  // The rows in use of the route's station, "[MovieSwitch]" and "[MovieStop]" tables.
  std::span<const StationData> stations() const;
  std::span<MovieSwitchData> movieSwitches();
  std::span<const int> movieStops() const;
  std::span<const SignalData> signalRows() const;  // the "[Signal]" table
  // The "[SpeedLimit]" and "[SpeedCheck1]" tables.
  std::span<const SpeedLimitData> speedLimitRows() const;
  std::span<const SpeedCheckData> speedCheck1Rows() const;
  TrackEventRows trackEventRows() const;  // the track-side tables

  // The route's sounds, the boarding draw, and the door and gearbox values of the vehicle.
  RouteSounds routeSounds;
  BoardingRandom boarding;
  DoorSpec doorSpec;
  GearboxSpec gearbox;
  // Seed of a boarding draw: the drive clock's milliseconds.
  std::uint64_t boardingSeed() const;
  // The back button: fade out, then close.
  void BackClick();
  // Clears every subsystem's per-row done flags and latches: the drive
  // start, the station jump and a restored state begin from here.
  void clearDoneFlags();
  // A jump to a station and a restored state move the train: they begin back
  // on the route's own video with the flags cleared, every sound but channel
  // 0 stopped and the doors shut, and end with the track events, the call-out
  // queue and the signal ahead set for the new place and the controller updated.
  void beginRelocation();
  void finishRelocation();

  int physicsOn = 0;
  int inputLocked = 0;
  int fadeLevel = 0;

  // The "Save" menu's captions as it opens, read from the settings store (drive_menus.cpp).
  SaveMenu Saveloadclick() const;

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
  // Makes the mixer at the device's rate and hands it to the device (drive_audio.cpp).
  void connectSound();
  void loadSounds();  // drive_sounds.cpp
  void connectStations();
  void setInitialState();
  // The stations' part of the initial state and the start clock.
  void startStations();
  void startTexts();
  // Puts the train at the stopping point of station t as the next stop.
  void placeAtStation(int t);

  // The handlers of the events.
  // The frame loop, run on every Frame event.
  void AppIdle();
  // The 100 ms simulation tick: its steps in their fixed order.
  void Timer1Timer();
  // The "Start" item toggles running and paused; a click on the cab surface
  // resumes a paused drive.
  void start1Click();
  void movieclick();
  // Jumps to station t of the "Move" menu.
  void StationClick(int t);
  // The keyboard and the mouse wheel.
  void AsciiDown(char key);
  void keydowns(int keyCode, bool shift);
  void keyups(int keyCode);
  void WheelD();
  void WheelU();
  // The "Display" menu's checked items and the "Save" menu's slots 1 … 3 (drive_menus.cpp).
  void displayClick(DisplayItem item);
  void S2Click(int slot);
  void L1Click(int slot);

  // The passenger load (percent) of the section the train runs in: the
  // station record before the next stop.
  int sectionLoadPercent() const;
  // Frame steps. renderFrame returns whether the surface could draw and sets
  // fadeEnded when the fade-out has run its course.
  bool renderFrame(bool& fadeEnded);
  void showStartPicture();
  // The cab panel (drive_panel.cpp): made while loading, its part of the
  // initial state, its gauges and lamps every frame, its sway after a flip.
  void createCabPanel();
  void startCabPanel();
  void updateCabPanel();
  void swayCabPanel();
  // The overlays (drive_overlays.cpp): found at the start; every
  // frame the texts on the video (frame step 10) and the stop markers and
  // track-side signs (frame step 15).
  void startOverlays();
  void drawVideoText();
  void placeOverlays();

  DataDirectory data_;
  DrivePlatform platform_;
  DriveRequest request_;
  bool timer1Enabled_ = false;
  bool closed_ = false;
  std::string startCaption_;
  std::string caption_ = ProgramCaption;
};

}  // namespace cab
