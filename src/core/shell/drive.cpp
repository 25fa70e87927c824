#include "core/shell/drive.h"

#include "core/common/rounding.h"
#include "core/data/settings_loader.h"
#include "core/data/vehicle_loader.h"
#include "core/platform/cab_surface.h"
#include "core/platform/clock.h"
#include "core/platform/drive_window.h"
#include "core/platform/settings_store.h"
#include "core/platform/status_sink.h"
#include "core/shell/display_options_store.h"
#include "core/shell/video_position.h"
#include "core/vehicle/air_supply.h"
#include "core/vehicle/keisan.h"
#include "core/vehicle/load_compensation.h"
#include "core/vehicle/masconupdate.h"
#include "core/vehicle/protection_flags.h"

namespace cab {

Drive::Drive(DataDirectory data, DrivePlatform platform, DriveRequest request)
    : data_(std::move(data)), platform_(platform), request_(std::move(request)) {}

void Drive::FormCreate() {
  readDisplayOptions();
  platform_.status.progress("設定ファイルを読み込んでいます");
  loadSettingsFile();
  loadVehicleFile();
  startCaption_ = strings.menu.start;
  createVideoSurface();
  setInitialState();
  start1Click();
}

void Drive::readDisplayOptions() { options = cab::readDisplayOptions(platform_.settings); }

void Drive::loadSettingsFile() { strings = cab::loadSettingsFile(data_); }

void Drive::loadVehicleFile() {
  vehicle = cab::loadVehicleFile(data_, request_.vehicleDirectory, request_.vehicleFile, platform_.pictures, sprites);
}

void Drive::createVideoSurface() { videoSurface = Picture(strings.videoWidth, strings.videoHeight, 0xFF000000u); }

void Drive::setInitialState() {
  train.frameAccumulator = 0;
  forceAutomaticBrakeSteps(vehicle);
  train.powerHandle = 0;
  train.brakeHandle = train.brakeCommand = train.sapCommand = -vehicle.Brake;
  train.speed = 0;
  operation.atsEmergency = operation.atsServiceBrake = operation.ebDeviceTrip = 0;
  train.reverser = 1;
  train.bcTrailer = train.emergencyBc;
  train.mrPressure = vehicle.HighAirPress;
  train.compressorRunning = false;
  inputLocked = 1;
  train.engineRunning = 1;
  train.constSpeed = 0;
  train.viewSway = 0.5;
  masconupdate(train, vehicle, strings, protectionFlags(operation));
  checkBrakeSteps(vehicle);
  shownFrame = 1;
}

void Drive::start1Click() {
  if (timer1Enabled_) {
    physicsOn = 0;
    timer1Enabled_ = false;
    inputLocked = 0;
    startCaption_ = "運転再開(&S)";
  } else {
    physicsOn = 1;
    timer1Enabled_ = true;
    inputLocked = 0;
    startCaption_ = "一時停止(&S)";
  }
  // The next frame fetches the video picture again.
  --shownFrame;
}

void Drive::movieclick() {
  if (!timer1Enabled_) start1Click();
}

void Drive::BackClick() { fadeLevel = 1; }

void Drive::FormActivate() {
  if (timer1Enabled_ || !platform_.surface.canDraw()) return;
  platform_.surface.fill(0);
  platform_.surface.drawSprites(sprites);
  platform_.surface.drawVideoSurface(videoSurface);
  platform_.surface.flip();
}

void Drive::FormCloseQuery() {
  if (closed_) return;
  physicsOn = 0;
  timer1Enabled_ = false;
  operation.remainingDistance = 0;
  operation.atsEmergency = 0;
  operation.atsServiceBrake = 0;
  writeDisplayOptions(platform_.settings, options);
  fadeLevel = 0;
  closed_ = true;
}

void Drive::AppIdle() {
  if (!timer1Enabled_ || closed_) return;
  int sleepMs = 0;
  if (!timing.measure(platform_.clock.nowSeconds(), sleepMs)) {
    platform_.clock.sleepMs(sleepMs);
    return;
  }
  compensateLoad(train, vehicle, sectionLoadPercent());
  swayOffset = cab::swayOffset(train.viewSway);
  if (train.trainMass.raw() != 0)
    train.prevAccel = 3.6L * (train.tractiveForce + train.resistForce) / (train.trainMass * 1000);
  advanceVideoPosition(train, strings.videoFrameRate, timing.frameMs);
  train.prevFrame = train.frame;
  if (renderFrame() && physicsOn == 1) keisan(train, vehicle, operation, track, timing);
}

bool Drive::renderFrame() {
  CabSurface& surface = platform_.surface;
  if (!surface.canDraw()) return false;
  surface.fill(0);
  surface.drawVideoSurface(videoSurface);
  surface.drawSprites(sprites);
  if (fadeLevel > 0) {
    if (options.Tunnel == 1) fadeLevel = 256;
    platform_.window.setWindowAlpha((255 - fadeLevel) & 0xFF);
    fadeLevel += 5;
    if (fadeLevel > 255) {
      fadeLevel = 0;
      // Closing finalises the surface: the rest of this frame has nothing to draw on.
      platform_.window.closeWindow();
      return false;
    }
  }
  surface.flip();
  return true;
}

void Drive::Timer1Timer() { compressorTick(train, vehicle, *sound, 0); }

}  // namespace cab
