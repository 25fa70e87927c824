#include "core/shell/drive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/data/data_error.h"
#include "core/input/key_codes.h"
#include "core/shell/display_options_store.h"
#include "headless/headless_platform.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// Counts the pictures shown.
class CountingSurface : public headless::NullSurface {
 public:
  void flip() override { ++flips; }
  int flips = 0;
};

// A data directory holding a minimal settings file and vehicle, and a drive on it.
class DriveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-drive-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_);
    std::ofstream(root_ / "vantorel.dat") << "[Disp]\n30,1\n0\n64\n48\n0\n";
    testing::writeMinimalVehicle(root_);
    testing::writeMinimalRoute(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  Drive& drive(int startStation = 0) {
    if (!drive_)
      drive_ = std::make_unique<Drive>(
          DataDirectory(root_),
          DrivePlatform{dialogs_, settings_, clock_, status_, surface_, window_, pictures_, video_},
          DriveRequest{"line_Local_East1.dat", "", testing::MinimalVehicleFile, startStation, std::nullopt});
    return *drive_;
  }
  void writeRoute(const std::string& text) { std::ofstream(root_ / testing::MinimalRouteFile) << text; }

  fs::path root_;
  headless::VirtualClock clock_;
  headless::StderrDialogs dialogs_;
  headless::MemorySettingsStore settings_;
  headless::SilentStatus status_;
  CountingSurface surface_;
  PictureDecoder pictures_;
  FfmpegVideoSource video_;
  int closes_ = 0;
  headless::HeadlessWindow window_{[this] {
    ++closes_;
    drive_->FormCloseQuery();
  }};
  std::unique_ptr<Drive> drive_;
};

TEST_F(DriveTest, StartsRunningAndTogglesPause) {
  Drive& d = drive();
  d.FormCreate();
  EXPECT_TRUE(d.timer1Enabled());
  EXPECT_EQ(d.physicsOn, 1);
  EXPECT_EQ(d.startCaption(), "一時停止(&S)");
  EXPECT_EQ(d.videoSurface.width, 64);
  const int shown = d.video.shownFrame;
  d.handle(drive_event::StartPause{});
  EXPECT_FALSE(d.timer1Enabled());
  EXPECT_EQ(d.physicsOn, 0);
  EXPECT_EQ(d.startCaption(), "運転再開(&S)");
  EXPECT_EQ(d.video.shownFrame, shown - 1);  // forces the video picture to be fetched again
  d.handle(drive_event::CabClick{});         // a click on the surface resumes
  EXPECT_TRUE(d.timer1Enabled());
  d.handle(drive_event::CabClick{});  // and does nothing while running
  EXPECT_TRUE(d.timer1Enabled());
}

TEST_F(DriveTest, LoadsTheRouteAndStartsAtItsFirstStation) {
  Drive& d = drive();
  d.FormCreate();
  EXPECT_EQ(d.route.StationCount, 2);
  EXPECT_EQ(d.route.SpeedUnit[0].distanceEnd, 10000);  // distances are derived while loading
  EXPECT_EQ(d.train.frame, 0);                         // "[StartPos]"
  EXPECT_EQ(d.train.position, 1000);                   // the start station's stopping point
  ASSERT_EQ(d.moveMenu.size(), 1u);                    // the last station has no entry
  EXPECT_EQ(d.moveMenu[0].name, "Sta0");
  clock_.setMs(100);
  d.handle(drive_event::Frame{});
  EXPECT_EQ(d.train.filmSpeed, 36);  // the recording speed of the stretch
}

TEST_F(DriveTest, BackButtonFadesOverAboutFiftyFramesThenCloses) {
  Drive& d = drive();
  d.FormCreate();
  d.handle(drive_event::Back{});
  int frames = 0;
  const int flipsBefore = surface_.flips;
  for (long long t = 0; t < 5000 && closes_ == 0; ++t) {
    clock_.setMs(t);
    const long double last = d.timing.lastFrame;
    const long double clockRemainder = d.train.videoTickRemainder;
    const bool lastFadeFrame = d.fadeLevel > 250;
    d.handle(drive_event::Frame{});
    if (d.timing.lastFrame == last) continue;
    ++frames;
    if (lastFadeFrame) {
      EXPECT_NE(d.train.videoTickRemainder, clockRemainder) << "the last fade frame runs the physics";
    }
  }
  const int flipsInFade = surface_.flips - flipsBefore;
  EXPECT_EQ(closes_, 1);
  EXPECT_EQ(frames, 51);
  EXPECT_EQ(flipsInFade, 51);  // the last fade frame is shown too
  EXPECT_TRUE(d.closed());
  EXPECT_FALSE(d.timer1Enabled());
  EXPECT_EQ(d.fadeLevel, 0);
}

TEST_F(DriveTest, FirstTickNamesTheLineInTheCaption) {
  Drive& d = drive();
  d.FormCreate();
  EXPECT_EQ(d.caption(), ProgramCaption);
  d.handle(drive_event::Tick{});
  EXPECT_EQ(d.caption(), d.route.LineName);
  EXPECT_FALSE(d.route.LineName.empty());
}

TEST_F(DriveTest, StationJumpResetsTheRunToTheChosenStop) {
  writeRoute(
      "[LineName]\nTest line\n[Station]\n"
      "A,0,30,150,0,0,0,0,60,0,0,0,0,0,0,0,0\nB,0,150,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n"
      "C,0,270,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n#\n"
      "[SpeedUnit]\n0,300,36,36\n#\n");
  Drive& d = drive();
  d.FormCreate();
  // A drive in the middle of things: a switched video, running backwards, doors open, power on.
  d.video.videoSwitchState = 2;
  d.video.switchMovieFrame = 40;
  d.reverseRunning = true;
  for (auto& e : d.movieSwitches()) e.done = true;
  d.stationState.departed.assign(4, true);
  d.stationState.doorsClosedAtStation.assign(4, true);
  d.stationState.runEnding = true;
  d.signalState.shownSignal = 5;
  d.train.speed = 40;
  d.train.doorsOpen = d.train.doorRequest = true;
  d.train.powerHandle = d.train.powerNotch = 3;
  d.train.filmSpeedRow = 2;

  EXPECT_TRUE(d.handle(drive_event::Move{1}));
  const StationData& st = d.route.Station[1];
  EXPECT_EQ(d.caption(), d.route.LineName);
  EXPECT_EQ(d.video.videoSwitchState, 0);
  EXPECT_EQ(d.video.switchMovieFrame, 0);
  EXPECT_FALSE(d.reverseRunning);
  for (const auto& e : d.movieSwitches()) EXPECT_FALSE(e.done);
  EXPECT_FALSE(d.stationState.departed[1]);
  EXPECT_FALSE(d.stationState.doorsClosedAtStation[1]);
  EXPECT_FALSE(d.stationState.runEnding);
  EXPECT_EQ(d.signalState.shownSignal, 999);  // no signal ahead of the station
  EXPECT_EQ(d.train.speed, 0);
  EXPECT_FALSE(d.train.doorsOpen);
  EXPECT_FALSE(d.train.doorRequest);
  EXPECT_EQ(d.train.powerHandle, 0);
  EXPECT_EQ(d.train.brakeHandle, 1 - d.vehicle.Brake);  // one step short of the emergency position
  EXPECT_EQ(d.train.frame, st.Start);
  EXPECT_EQ(d.video.shownFrame, st.Start - 1);
  EXPECT_EQ(d.train.position, st.position);
  EXPECT_EQ(d.train.filmSpeedRow, -1);
  EXPECT_EQ(d.stationState.nextStopIndex, 1);
  EXPECT_EQ(d.stationState.doorCloseCount, 1);
  EXPECT_EQ(d.stationState.display.stationText, "ただいま " + st.Name);
}

TEST_F(DriveTest, TunnelOptionClosesWithoutFading) {
  settings_.write(OptionsKeyPath, "Kanko", "0");
  settings_.write(OptionsKeyPath, "Information", "1");
  settings_.write(OptionsKeyPath, "ATS", "0");
  settings_.write(OptionsKeyPath, "Tunnel", "1");
  settings_.write(OptionsKeyPath, "Moji", "1");
  Drive& d = drive();
  d.FormCreate();
  EXPECT_EQ(d.options.Tunnel, 1);
  d.handle(drive_event::Back{});
  for (long long t = 0; t < 100 && closes_ == 0; ++t) {
    clock_.setMs(t);
    d.handle(drive_event::Frame{});
  }
  EXPECT_EQ(closes_, 1);
}

TEST(DisplayOptionsStore, DefaultsWhenAnyValueIsMissingOrBad) {
  headless::MemorySettingsStore store;
  auto defaults = readDisplayOptions(store);
  EXPECT_EQ(defaults.Information, 1);
  EXPECT_EQ(defaults.Moji, 1);
  DisplayOptions written{1, 0, 1, 1, 0};
  writeDisplayOptions(store, written);
  auto read = readDisplayOptions(store);
  EXPECT_EQ(read.Kanko, 1);
  EXPECT_EQ(read.Information, 0);
  EXPECT_EQ(read.Moji, 0);
  store.write(OptionsKeyPath, "ATS", "x");
  auto bad = readDisplayOptions(store);
  EXPECT_EQ(bad.Kanko, 0);
  EXPECT_EQ(bad.Information, 1);
}

TEST_F(DriveTest, RouteAdhesionAndTunnelResistanceReachThePhysics) {
  writeRoute(std::string(testing::MinimalRouteText) + "[Friction]\n0.05\n[TunnelR]\n15\n");
  Drive& d = drive();
  d.FormCreate();
  EXPECT_DOUBLE_EQ(static_cast<double>(d.track.friction), 0.05);
  EXPECT_EQ(d.track.tunnelResistance, 15);
}

TEST_F(DriveTest, StartTextsNameTheCarsOrTheDoorSide) {
  std::ofstream(root_ / "vantorel.dat") << "[Disp]\n30,1\n0\n64\n48\n0\n[Cars]\n両\n[Doors]\n左\n右\n";
  {
    Drive& d = drive();
    d.FormCreate();
    EXPECT_EQ(d.stationState.display.carsText, "4両");  // with a conductor the car count shows
    EXPECT_EQ(d.stationState.display.doorText, "");
    for (long double sample : d.panel.bcSamples) EXPECT_EQ(sample, 240);
  }
  drive_.reset();
  writeRoute(std::string(testing::MinimalRouteText) + "[OneMan]\n1\n1\n");
  Drive& d = drive();
  d.FormCreate();
  EXPECT_EQ(d.stationState.display.carsText, "");
  EXPECT_EQ(d.stationState.display.doorText, "左");
  d.train.doorsOpen = false;
  d.handle(drive_event::KeyDown{vk::PageDown});
  EXPECT_EQ(d.train.doorSide, 1);
  EXPECT_EQ(d.stationState.display.doorText, "右");
  EXPECT_TRUE(d.operation.lamps.others[1]);
  d.handle(drive_event::KeyDown{vk::PageUp});
  EXPECT_EQ(d.train.doorSide, 0);
  EXPECT_EQ(d.stationState.display.doorText, "左");
  EXPECT_FALSE(d.operation.lamps.others[1]);
  d.train.doorsOpen = true;  // the side stays while the doors are open
  d.handle(drive_event::KeyDown{vk::PageDown});
  EXPECT_EQ(d.train.doorSide, 0);
  EXPECT_EQ(d.stationState.display.doorText, "左");
}

TEST_F(DriveTest, StartAtAPassingStationTakesTheInterpolatedClock) {
  // Timed stops at frames 0 and 200 (3600 and 7200 units), a passing station without a time halfway.
  writeRoute(
      "[LineName]\nTest line\n[Station]\n"
      "A,0,0,150,0,0,0,3600,60,0,0,0,0,0,0,0,0\n"
      "P,1,100,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n"
      "B,0,200,150,0,0,0,7200,60,0,0,0,0,0,0,0,0\n#\n"
      "[SpeedUnit]\n0,300,36,36\n#\n");
  Drive& d = drive(1);
  d.FormCreate();
  EXPECT_EQ(d.operation.clock, 5400);
}

TEST_F(DriveTest, OneManArrivalAtTheLastStopEndsTheTick) {
  writeRoute(std::string(testing::MinimalRouteText) + "[OneMan]\n1\n0\n");
  Drive& d = drive();
  d.FormCreate();
  d.train.position = d.route.Station[1].position;
  d.train.speed = 0;
  d.train.doorsOpen = true;
  d.handle(drive_event::Tick{});
  EXPECT_TRUE(d.stationState.arrived[1]);
  EXPECT_EQ(d.stationState.nextStopIndex, 2);  // no later stop
  EXPECT_EQ(d.caption(), ProgramCaption);      // the steps after the stations did not run
}

TEST_F(DriveTest, AnUnreadableRouteSoundHaltsTheLoad) {
  std::ofstream(root_ / "short.wav") << "RIFF";
  writeRoute(std::string(testing::MinimalRouteText) + "[SoundData]\n\nshort.wav\n#\n");
  try {
    drive().FormCreate();
    FAIL() << "the drive loaded";
  } catch (const HaltError& e) {
    EXPECT_EQ(e.messages(), (std::vector<std::string>{"short.wavを読み込めません(RIFF WAVE形式ではありません)"}));
  }
}

TEST_F(DriveTest, DoneFlagsClearedTogetherForStartJumpAndRestore) {
  writeRoute(std::string(testing::MinimalRouteText) + "[MovieSwitch]\n2,0,10,scene,20,0,1,0,0\n#\n");
  Drive& d = drive();
  d.FormCreate();
  StationState& st = d.stationState;
  for (auto* flags : {&st.inZone, &st.arrived, &st.departed, &st.doorsClosedAtStation, &st.oneManDoorDone})
    flags->assign(flags->size(), true);
  ASSERT_EQ(d.movieSwitches().size(), 1u);
  d.movieSwitches()[0].done = true;
  d.clearDoneFlags();
  for (auto* flags : {&st.inZone, &st.arrived, &st.departed, &st.doorsClosedAtStation, &st.oneManDoorDone}) {
    EXPECT_EQ(flags->size(), 3u);  // two stations and the row after the last
    for (bool done : *flags) EXPECT_FALSE(done);
  }
  EXPECT_FALSE(d.movieSwitches()[0].done);
}

TEST_F(DriveTest, MoveTakesOnlyTheMenusStationsAndTheDeadlineFollowsTheFrames) {
  Drive& d = drive();
  d.FormCreate();
  EXPECT_FALSE(d.handle(drive_event::Move{1}));  // the last station has no menu item
  EXPECT_FALSE(d.handle(drive_event::Move{-1}));
  EXPECT_TRUE(d.handle(drive_event::Move{0}));

  clock_.setMs(1000);
  d.handle(drive_event::Frame{});
  ASSERT_TRUE(d.nextDeadline());
  EXPECT_NEAR(static_cast<double>(*d.nextDeadline()), 1.016667, 1e-6);
  clock_.setMs(1010);  // before the deadline no frame runs
  d.handle(drive_event::Frame{});
  EXPECT_NEAR(static_cast<double>(d.timing.lastFrame), 1.0, 1e-9);
  d.handle(drive_event::StartPause{});  // paused: nothing to wait for
  EXPECT_FALSE(d.nextDeadline());
}

}  // namespace
}  // namespace cab
