#include "core/shell/saved_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/shell/display_options_store.h"
#include "core/shell/drive.h"
#include "headless/headless_platform.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

TEST(SavedStateRecord, SevenFieldsWithSpeedAndPositionRounded) {
  const SavedState s{"line_Local_East1.dat", 2, 41.5L, 1234, 1080000, 52500.5L, 880};
  EXPECT_EQ(savedStateRecord(s), "line_Local_East1.dat,2,42,1234,1080000,52500,880");  // ties to even
  const auto back = parseSavedState(savedStateRecord(s));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->routeFile, "line_Local_East1.dat");
  EXPECT_EQ(back->zoneStation, 2);
  EXPECT_EQ(back->speed, 42);
  EXPECT_EQ(back->frame, 1234);
  EXPECT_EQ(back->clock, 1080000);
  EXPECT_EQ(back->position, 52500);
  EXPECT_EQ(back->preTrainFrame, 880);
}

TEST(SavedStateRecord, RefusesMissingAndNonNumericFields) {
  EXPECT_TRUE(parseSavedState("r.dat,0,12.5,3,4,55.25,-1"));  // speed and position read as reals
  for (const char* bad : {"", "r.dat", "r.dat,0,0,0,0,0", "r.dat,x,0,0,0,0,0", "r.dat,0,fast,0,0,0,0",
                          "r.dat,0,0,1.5,0,0,0", "r.dat,0,0,0,0,0,"})
    EXPECT_FALSE(parseSavedState(bad)) << bad;
  EXPECT_TRUE(parseSavedState("r.dat,0,0,0,0,0,0,extra"));  // fields after the seventh are not read
  EXPECT_EQ(savedStateRoute("other.dat,1,2"), "other.dat");
}

TEST(SavedStateDescription, NamesTheSectionTheTrainIsIn) {
  std::vector<StationData> stations(3);
  const char* names[] = {"霞野", "潮見坂", "東灯台"};
  const int positions[] = {1000, 5000, 9000};
  for (int i = 0; i < 3; ++i) stations[i].Name = names[i], stations[i].position = positions[i];
  const struct {
    long double position;
    const char* description;
  } cases[] = {{999, ""},
               {1000, "東湊線（霞野～潮見坂）"},
               {4999.9L, "東湊線（霞野～潮見坂）"},
               {5000, "東湊線（潮見坂～東灯台）"},
               {9000, "東湊線（東灯台～）"},
               {20000, "東湊線（東灯台～）"}};
  for (const auto& c : cases)
    EXPECT_EQ(savedStateDescription("東湊線", stations, c.position), c.description) << c.position;
}

TEST(SaveMenu, EmptySlotsReadNoDataAndCannotBeLoaded) {
  headless::MemorySettingsStore store;
  store.write(OptionsKeyPath, "Save2Title", "東湊線（霞野～潮見坂）");
  store.write(OptionsKeyPath, "Save3", "r.dat,0,0,0,0,0,0");  // a record without a description
  const SaveMenu menu = readSaveMenu(store);
  EXPECT_EQ(menu.load[0].caption, "No Data");
  EXPECT_FALSE(menu.load[0].enabled);
  EXPECT_EQ(menu.save[0].caption, "No Data");
  EXPECT_TRUE(menu.save[0].enabled);
  EXPECT_EQ(menu.load[1].caption, "東湊線（霞野～潮見坂）");
  EXPECT_TRUE(menu.load[1].enabled);
  EXPECT_EQ(menu.save[1].caption, "東湊線（霞野～潮見坂）");
  EXPECT_FALSE(menu.load[2].enabled);
}

class RecordingDialogs : public Dialogs {
 public:
  void message(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// Drives on a route of four stations (the second one passed) sharing one store.
class SavedStateDriveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-saved-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(root_);
    std::ofstream(root_ / "vantorel.dat") << "[Disp]\n30,1\n0\n64\n48\n0\n";
    testing::writeMinimalVehicle(root_);
    const std::string route =
        "[LineName]\nTest line\n[LineName2]\nTL\n[Station]\n"
        "A,0,30,150,0,0,0,0,60,0,0,0,0,0,0,0,0\nB,1,100,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n"
        "C,0,170,150,0,0,0,0,60,0,0,0,0,0,0,0,0\nD,0,270,150,0,0,0,0,60,0,0,0,0,0,0,0,0\n#\n"
        "[SpeedUnit]\n0,300,36,36\n#\n";
    for (const char* file : {"line_Local_East1.dat", "line_Local_East2.dat"}) std::ofstream(root_ / file) << route;
  }
  void TearDown() override { fs::remove_all(root_); }

  Drive& drive(const std::string& routeFile = "line_Local_East1.dat") {
    drive_ = std::make_unique<Drive>(
        DataDirectory(root_), DrivePlatform{dialogs_, store_, clock_, status_, surface_, window_, pictures_, video_},
        DriveRequest{routeFile, "", testing::MinimalVehicleFile, 0, std::nullopt});
    drive_->FormCreate();
    dialogs_.messages.clear();  // the route has no video
    return *drive_;
  }

  fs::path root_;
  headless::VirtualClock clock_;
  RecordingDialogs dialogs_;
  headless::MemorySettingsStore store_;
  headless::SilentStatus status_;
  headless::NullSurface surface_;
  PictureDecoder pictures_;
  FfmpegVideoSource video_;
  headless::HeadlessWindow window_{[this] { drive_->FormCloseQuery(); }};
  std::unique_ptr<Drive> drive_;
};

TEST_F(SavedStateDriveTest, ASaveMadeInOneDriveIsRestoredInTheNext) {
  Drive& first = drive();
  first.train.frame = 120;
  first.train.position = 4000.4L;
  first.train.speed = 35.6L;
  first.operation.clock = 1234567;
  first.stationState.zoneStation = 0;
  first.signalState.preTrainFrame = 260;
  EXPECT_TRUE(first.handle(drive_event::SaveState{2}));
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"運転状態を保存しました"});
  EXPECT_EQ(store_.read(OptionsKeyPath, "Save2"), "line_Local_East1.dat,0,36,120,1234567,4000,260");
  EXPECT_EQ(store_.read(OptionsKeyPath, "Save2Title"), "TL（B～C）");
  EXPECT_EQ(first.Saveloadclick().load[1].caption, "TL（B～C）");
  first.FormCloseQuery();

  // The next drive, in the middle of things elsewhere.
  Drive& d = drive();
  d.train.doorsOpen = d.train.doorRequest = true;
  d.train.powerHandle = d.train.powerNotch = 3;
  d.stationState.departed.assign(5, true);
  d.video.videoSwitchState = 2;
  d.reverseRunning = true;
  EXPECT_TRUE(d.handle(drive_event::LoadState{2}));
  EXPECT_EQ(d.caption(), "Test line");
  EXPECT_EQ(d.train.speed, 36);
  EXPECT_EQ(d.train.frame, 120);
  EXPECT_EQ(d.video.shownFrame, 119);
  EXPECT_EQ(d.operation.clock, 1234567);
  EXPECT_EQ(d.train.position, 4000);
  EXPECT_EQ(d.signalState.preTrainFrame, 260);
  EXPECT_EQ(d.stationState.zoneStation, 0);
  EXPECT_FALSE(d.train.doorsOpen || d.train.doorRequest);
  EXPECT_TRUE(d.operation.lamps.door);
  EXPECT_EQ(d.train.powerHandle, 0);
  EXPECT_EQ(d.train.powerNotch, 0);
  EXPECT_EQ(d.train.brakeHandle, 0);  // moving: released
  EXPECT_EQ(d.train.brakeCommand, 0);
  for (bool departed : d.stationState.departed) EXPECT_FALSE(departed);
  EXPECT_EQ(d.video.videoSwitchState, 0);
  EXPECT_FALSE(d.reverseRunning);
  // The passing station B is skipped: the next stop is C.
  EXPECT_EQ(d.stationState.nextStopIndex, 2);
  EXPECT_EQ(d.stationState.nextStopPosition, d.route.Station[2].position);
  EXPECT_EQ(d.stationState.remainingDistance, d.route.Station[2].position - 4000);
  EXPECT_EQ(d.callouts.announceIndex, 1);  // no stop below station 0
  EXPECT_EQ(d.train.filmSpeedRow, 0);
}

TEST_F(SavedStateDriveTest, RestoringAStandingTrainAppliesTheStrongestServiceBrake) {
  store_.write(OptionsKeyPath, "Save1", "line_Local_East1.dat,2,0,200,5000,6700,0");
  Drive& d = drive();
  d.handle(drive_event::LoadState{1});
  EXPECT_EQ(d.train.speed, 0);
  EXPECT_EQ(d.train.brakeHandle, 1 - d.vehicle.Brake);
  EXPECT_EQ(d.train.sapCommand, 1 - d.vehicle.Brake);
  EXPECT_EQ(d.stationState.nextStopIndex, 3);
  EXPECT_EQ(d.callouts.announceIndex, 3);  // one stop (A) below station 2
}

TEST_F(SavedStateDriveTest, RefusedRestoresChangeNothing) {
  store_.write(OptionsKeyPath, "Save2", "line_Local_East2.dat,0,10,200,5000,6700,0");
  store_.write(OptionsKeyPath, "Save3", "line_Local_East1.dat,0,10,200,5000");
  Drive& d = drive();
  const int frame = d.train.frame;
  const long double position = d.train.position;
  const int brake = d.train.brakeHandle;
  for (int slot : {1, 2, 3}) EXPECT_TRUE(d.handle(drive_event::LoadState{slot}));
  EXPECT_FALSE(d.handle(drive_event::LoadState{4}));
  EXPECT_EQ(dialogs_.messages,
            (std::vector<std::string>{"運転状態が保存されていません", "運転状態を保存したダイヤではありません",
                                      "保存された運転状態を読み取れません"}));
  EXPECT_EQ(d.train.frame, frame);
  EXPECT_EQ(d.train.position, position);
  EXPECT_EQ(d.train.brakeHandle, brake);
}

}  // namespace
}  // namespace cab
