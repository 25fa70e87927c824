#pragma once

#include <memory>
#include <string>

#include "core/common/data_directory.h"
#include "core/common/picture.h"
#include "core/data/ui_strings.h"
#include "core/data/vehicle_spec.h"
#include "core/input/key_state.h"
#include "core/input/keyboard_state.h"
#include "core/presentation/sprite_model.h"
#include "core/route/operation_state.h"
#include "core/shell/display_options.h"
#include "core/shell/frame_timing.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/track_conditions.h"
#include "core/vehicle/train_state.h"

namespace cab {

class CabSurface;
class Clock;
class Dialogs;
class DriveWindow;
class PictureLoader;
class SettingsStore;
class StatusSink;

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

  bool timer1Enabled() const { return timer1Enabled_; }
  bool closed() const { return closed_; }
  const std::string& startCaption() const { return startCaption_; }
  const DataDirectory& data() const { return data_; }
  const DriveRequest& request() const { return request_; }

  // The drive's records.
  UiStrings strings;
  VehicleSpec vehicle;
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

  int physicsOn = 0;
  int inputLocked = 0;
  int fadeLevel = 0;
  int shownFrame = 0;  // video frame on the video surface; changed to force a fetch
  int swayOffset = 0;

 private:
  // Loading steps, in their order.
  void readDisplayOptions();
  void loadSettingsFile();
  void loadVehicleFile();
  void createVideoSurface();
  void setInitialState();

  // Frame steps.
  // The passenger load (percent) of the section the train runs in: the
  // station record before the next stop. There is no route data yet, so no load.
  int sectionLoadPercent() const { return 0; }
  // Returns whether the surface could draw.
  bool renderFrame();

  DataDirectory data_;
  DrivePlatform platform_;
  DriveRequest request_;
  bool timer1Enabled_ = false;
  bool closed_ = false;
  std::string startCaption_;
};

}  // namespace cab
