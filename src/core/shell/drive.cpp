#include "core/shell/drive.h"

#include <algorithm>

#include "core/common/path_splitter.h"
#include "core/common/rounding.h"
#include "core/data/data_error.h"
#include "core/data/rows_in_use.h"
#include "core/data/route_loader.h"
#include "core/data/route_positions.h"
#include "core/data/settings_loader.h"
#include "core/data/vehicle_loader.h"
#include "core/platform/cab_surface.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/drive_window.h"
#include "core/platform/picture_loader.h"
#include "core/platform/settings_store.h"
#include "core/platform/status_sink.h"
#include "core/shell/display_options_store.h"
#include "core/shell/drive_signals.h"
#include "core/shell/drive_sounds.h"
#include "core/shell/drive_speed_limits.h"
#include "core/shell/drive_track_events.h"
#include "core/shell/drive_texts.h"
#include "core/shell/video_position.h"
#include "core/vehicle/air_supply.h"
#include "core/vehicle/keisan.h"
#include "core/vehicle/load_compensation.h"
#include "core/vehicle/masconupdate.h"

namespace cab {

Drive::Drive(DataDirectory data, DrivePlatform platform, DriveRequest request)
    : video(platform.video, data_), data_(std::move(data)), platform_(platform), request_(std::move(request)) {
  connectSound();
}

void Drive::FormCreate() {
  readDisplayOptions();
  platform_.status.progress("設定ファイルを読み込んでいます");
  loadSettingsFile();
  loadVehicleFile();
  startCaption_ = strings.menu.start;
  loadRouteFile();
  checkSignalTables(route);
  buildMoveMenu();
  createCabPanel();
  createVideoSurface();
  startPicture = route.StafPicture;
  openRouteVideo();
  placeTrainAtStart();
  loadSounds();
  setupRouteEnvironment();
  connectStations();
  setInitialState();
  start1Click();
}

void Drive::readDisplayOptions() { options = cab::readDisplayOptions(platform_.settings); }

void Drive::loadSettingsFile() { strings = cab::loadSettingsFile(data_); }

void Drive::loadVehicleFile() {
  vehicle = cab::loadVehicleFile(data_, request_.vehicleDirectory, request_.vehicleFile, platform_.pictures, sprites);
}

void Drive::loadRouteFile() {
  const RouteImageTarget target{data_, platform_.pictures, strings, sprites, routeImages};
  route = cab::loadRouteFile(request_.routeFile, splitPath(request_.vehicleFile, PathPart::FileName), target);
}

void Drive::buildMoveMenu() { moveMenu = cab::buildMoveMenu(route, request_.startStation, request_.endStation); }

void Drive::setupRouteEnvironment() {
  platform_.status.progress("環境をセットアップしています");
  ConvertRoutePositions(route, strings.videoFrameRate);
  // The route's adhesion and tunnel resistance hold for the whole drive.
  track.friction = route.Friction;
  track.tunnelResistance = route.TunnelR;
}

// The start frame: the route's start or the chosen station's stopping point.
// (The start distance comes with the stations' start state.)
void Drive::placeTrainAtStart() {
  const int s = request_.startStation;
  if (s < 0 || (s > 0 && s >= route.StationCount))
    throw HaltError("開始駅の番号" + std::to_string(s) + "が路線の駅の範囲外です");
  train.frame = s > 0 ? route.Station[static_cast<std::size_t>(s)].Start : route.StartPos;
}

void Drive::createVideoSurface() { videoSurface = Picture(strings.videoWidth, strings.videoHeight, 0xFF000000u); }

// A video that cannot be opened is reported and the drive goes on without it.
void Drive::openRouteVideo() {
  for (const auto& text : video.openMainVideo(frontMoviePath(strings.Path, route.DataName)))
    platform_.dialogs.message(text);
}

std::span<const StationData> Drive::stations() const { return rowsInUse(route.Station, route.StationCount); }
std::span<MovieSwitchData> Drive::movieSwitches() { return rowsInUse(route.MovieSwitch, route.MovieSwitchCount); }
std::span<const int> Drive::movieStops() const { return rowsInUse(route.MovieStop, route.MovieStopCount); }
std::span<const SignalData> Drive::signalRows() const { return rowsInUse(route.Signal, route.SignalCount); }
std::span<const SpeedLimitData> Drive::speedLimitRows() const {
  return rowsInUse(route.SpeedLimit, route.SpeedLimitCount);
}
std::span<const SpeedCheckData> Drive::speedCheck1Rows() const {
  return rowsInUse(route.SpeedCheck1, route.SpeedCheck1Count);
}
TrackEventRows Drive::trackEventRows() const {
  return {rowsInUse(route.Slope, route.SlopeCount), rowsInUse(route.TrafficSignal, route.TrafficSignalCount),
          rowsInUse(route.Sign, route.SignCount),   rowsInUse(route.Time, route.TimeCount),
          rowsInUse(route.Cross, route.CrossCount), rowsInUse(route.Tunnel, route.TunnelCount)};
}

// The station logic's view of the route: the one-man setting.
void Drive::connectStations() { doorSpec.oneMan = route.OneMan != 0; }

int Drive::sectionLoadPercent() const {
  const int s = stationState.nextStopIndex;
  if (s <= 0 || s > route.StationCount) return 0;
  return route.Station[static_cast<std::size_t>(s - 1)].percent;
}

void Drive::setInitialState() {
  train.frameAccumulator = 0;
  forceAutomaticBrakeSteps(vehicle);
  train.powerHandle = 0;
  train.brakeHandle = train.brakeCommand = train.sapCommand = -vehicle.Brake;
  train.speed = 0;
  protection.clearBrakeDemands();
  protection.atsPowerOn = options.ATS != 1;
  train.reverser = 1;
  train.bcTrailer = train.emergencyBc;
  train.mrPressure = vehicle.HighAirPress;
  train.compressorRunning = false;
  inputLocked = 1;
  train.engineRunning = 1;
  train.constSpeed = 0;
  startStations();
  startTexts();
  train.viewSway = 0.5;
  masconupdate(train, vehicle, strings, protection.flags());
  checkBrakeSteps(vehicle);
  video.startDrive(strings.frameCountFactor);
  panel.reset();
  startCabPanel();
  startOverlays();
  startSpeedLimits(*this);
  startSignals(*this);
  startTrackEvents(*this);
  displayChecks = cab::displayChecks(options);
}

// The door text on one-man routes that show the door side; the car count on
// routes with a conductor.
void Drive::startTexts() {
  StationDisplay& shown = stationState.display;
  shown.doorText = doorSpec.oneMan && route.OneMan2 == 1 ? strings.Doors[0] : "";
  shown.carsText = doorSpec.oneMan ? "" : std::to_string(vehicle.Cars) + strings.Cars;
}

void Drive::start1Click() {
  if (timer1Enabled_) {
    physicsOn = 0;
    timer1Enabled_ = false;
    inputLocked = 0;
    startCaption_ = "運転再開(&S)";
    channelResume = pauseChannels(*sound);
  } else {
    physicsOn = 1;
    timer1Enabled_ = true;
    inputLocked = 0;
    startCaption_ = "一時停止(&S)";
    resumeChannels(*sound, channelResume);
  }
  // The next frame fetches the video picture again.
  --video.shownFrame;
}

void Drive::movieclick() {
  if (!timer1Enabled_) start1Click();
}

void Drive::BackClick() { fadeLevel = 1; }

void Drive::setCaption(const std::string& text) {
  caption_ = text;
  platform_.window.setCaption(text);
}

void Drive::FormActivate() {
  if (timer1Enabled_) return;
  showStartPicture();
  if (!platform_.surface.canDraw()) return;
  platform_.surface.fill(0);
  platform_.surface.drawSprites(sprites);
  platform_.surface.drawVideoSurface(videoSurface);
  platform_.surface.flip();
}

void Drive::showStartPicture() {
  if (startPicture.empty()) return;
  const auto bytes = data_.readBytes(startPicture);
  if (!bytes) return;
  auto decoded = platform_.pictures.decode(*bytes);
  if (auto* picture = std::get_if<Picture>(&decoded)) {
    video.frameBitmap = std::move(*picture);
    video.copyTo(videoSurface);
  }
}

void Drive::FormCloseQuery() {
  if (closed_) return;
  physicsOn = 0;
  timer1Enabled_ = false;
  stationState.remainingDistance = 0;
  protection.clearBrakeDemands();
  stopChannels(*sound);
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
  // The texts drawn this frame follow the handles moved since the last one.
  refreshUiText(*this);
  compensateLoad(train, vehicle, sectionLoadPercent());
  if (train.trainMass.raw() != 0)
    train.prevAccel = 3.6L * (train.tractiveForce + train.resistForce) / (train.trainMass * 1000);
  advanceVideoPosition(train, strings.videoFrameRate, timing.frameMs);
  video.fetch(train.frame);
  DriveVideoSoundChannels videoChannels(*sound);
  applyMovieStops(movieStops(), video, reverseRunning, train, videoChannels, soundBank.loadedSoundCount());
  train.prevFrame = train.frame;
  video.copyTo(videoSurface);
  drawVideoText();
  updateCabPanel();
  heldKeySounds(*this);
  placeOverlays();
  bool fadeEnded = false;
  if (renderFrame(fadeEnded) && physicsOn == 1) {
    // The physics step takes the recording speed of the stretch the train is in.
    track.film = filmSpeedAt(route, train.frame);
    track.videoMode = video.videoSwitchState;
    const KeisanResult step = keisan(train, vehicle, protection.flags(), track, timing);
    if (step.moved) {
      // The preceding train moves in the same step, before the clock does.
      advancePrecedingTrain(*this);
      stationState.remainingDistance = stationState.nextStopPosition - train.position;
      operation.clock += step.clockUnits;
    }
    video.advanceStationVideo(operation.clock, strings.videoFrameRate);
    engineSpeedStep(train, gearbox);
  }
  // The last fade frame is drawn and stepped like any other; the window closes after it.
  if (fadeEnded) platform_.window.closeWindow();
}

bool Drive::renderFrame(bool& fadeEnded) {
  CabSurface& surface = platform_.surface;
  if (!surface.canDraw()) return false;
  surface.fill(0);
  surface.drawVideoSurface(videoSurface);
  surface.drawVideoTexts(overlays.texts);
  surface.drawSprites(sprites);
  if (fadeLevel > 0) {
    if (options.Tunnel == 1) fadeLevel = 256;
    platform_.window.setWindowAlpha((255 - fadeLevel) & 0xFF);
    fadeLevel += 5;
    if (fadeLevel > 255) {
      fadeLevel = 0;
      fadeEnded = true;
    }
  }
  surface.flip();
  swayCabPanel();
  return true;
}

}  // namespace cab
