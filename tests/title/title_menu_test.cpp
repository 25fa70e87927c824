#include "core/title/title_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/title/title_host.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

class RecordingDialogs : public Dialogs {
 public:
  void message(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// Records what the title asks of its window.
class FakeHost : public TitleHost {
 public:
  bool playMovie(const std::string& path) override {
    played.push_back(path);
    return movieOpens;
  }
  bool playSound(const std::string& path) override {
    played.push_back(path);
    return true;
  }
  void stopMedia() override { ++stops; }
  std::optional<Size> pictureSize(const std::string&) override { return Size{900, 600}; }
  std::optional<std::string> pickVehicleFile() override { return picked; }
  bool confirm(const std::string& text) override {
    confirmed.push_back(text);
    return answer;
  }
  void openDocument(const std::string& path) override { opened.push_back(path); }
  void refresh() override { ++refreshes; }
  void runDrive(const TitleChoice& choice) override {
    drives.push_back(choice);
    if (menu) heightDuringDrive = menu->view().clientHeight;
    if (driveThrows) throw std::runtime_error("drive failed");
  }
  void closeWindow() override { ++closes; }

  bool movieOpens = true;
  bool answer = true;
  bool driveThrows = false;
  const TitleMenu* menu = nullptr;
  int heightDuringDrive = 0;
  std::optional<std::string> picked;
  std::vector<std::string> played, confirmed, opened;
  std::vector<TitleChoice> drives;
  int stops = 0, refreshes = 0, closes = 0;
};

class TitleMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("cabview-title-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    touch("vantorel.dat");
    touch("line_Local_East1.dat");
    touch("line_Local_West3.dat");
    touch("train_E231.dat");
  }
  void TearDown() override { fs::remove_all(root_); }

  void touch(const fs::path& file) {
    fs::create_directories((root_ / file).parent_path());
    std::ofstream(root_ / file) << "x";
  }

  // A title started on a 1920 x 1080 screen.
  TitleMenu& title(int pictureIndex = 2) {
    menu_ = std::make_unique<TitleMenu>(DataDirectory(root_), host_, dialogs_, 1920, 1080);
    host_.menu = menu_.get();
    created_ = menu_->FormCreate(pictureIndex);
    return *menu_;
  }
  // Ticks until the menu is complete, from the title picture on.
  TitleMenu& menu() {
    TitleMenu& t = title();
    t.Timer1Timer();  // no movie: straight to the title picture
    t.Imageclick();
    for (int i = 0; i < 12; ++i) t.Timer1Timer();
    return t;
  }

  fs::path root_;
  FakeHost host_;
  RecordingDialogs dialogs_;
  std::unique_ptr<TitleMenu> menu_;
  bool created_ = false;
};

TEST_F(TitleMenuTest, MissingSettingsFileEndsTheProgram) {
  fs::remove(root_ / "vantorel.dat");
  title();
  EXPECT_FALSE(created_);
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"実行ファイルが正しい場所に配置されていません"});
}

TEST_F(TitleMenuTest, CreationPlacesTheMovieWindowAndPicksTheTitlePicture) {
  touch("move/opening.avi");
  const TitleMenu& t = title(3);
  ASSERT_TRUE(created_);
  const TitleView& v = t.view();
  EXPECT_EQ(t.state().titleState, TitlePhase::Movie);
  EXPECT_EQ(v.clientWidth, 640);
  EXPECT_EQ(v.clientHeight, 360);
  EXPECT_EQ(v.left, 460);  // Round((1920 - 1000) / 2)
  EXPECT_EQ(v.top, 207);   // Round((1080 - 666) / 2)
  EXPECT_TRUE(v.timerEnabled);
  EXPECT_TRUE(v.movieVisible);
  EXPECT_EQ(host_.played, std::vector<std::string>{"move\\opening.avi"});
  EXPECT_EQ(t.state().titlePicture, "image\\title\\title04.jpg");
  EXPECT_EQ(t.state().menuPicture, "image\\title\\title2.jpg");
  for (bool shown : v.lineVisible) EXPECT_FALSE(shown);
  EXPECT_FALSE(v.helpVisible || v.quitVisible || v.ctsVisible || v.train1Visible || v.cursorVisible);
}

TEST_F(TitleMenuTest, WithoutAMovieTheFirstTickChimesAndShowsTheTitlePicture) {
  TitleMenu& t = title();
  EXPECT_TRUE(host_.played.empty());
  t.Timer1Timer();
  EXPECT_EQ(host_.played, std::vector<std::string>{"sound\\sc9110.wav"});
  EXPECT_EQ(t.state().titleState, TitlePhase::Picture);
  EXPECT_FALSE(t.view().movieVisible);
  EXPECT_TRUE(t.view().ctsVisible);
  EXPECT_EQ(t.view().picture, "image\\title\\title03.jpg");
  EXPECT_EQ(t.view().clientWidth, 900);
  EXPECT_EQ(t.view().left, 510);  // centred: Round((1920 - 900) / 2)
  EXPECT_EQ(t.view().top, 240);
}

// A movie file that does not play is reported once; the movie surface then
// waits for a click or the 160 s, and no chime plays.
TEST_F(TitleMenuTest, AMovieThatCannotPlayWaitsForTheClickOr160Seconds) {
  touch("move/opening.avi");
  host_.movieOpens = false;
  TitleMenu& t = title();
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"オープニングムービーを開けません"});
  for (int i = 0; i < 1599; ++i) t.Timer1Timer();
  EXPECT_EQ(t.state().titleState, TitlePhase::Movie);
  t.Timer1Timer();
  EXPECT_EQ(t.state().titleState, TitlePhase::Picture);
  EXPECT_EQ(host_.played, std::vector<std::string>{"move\\opening.avi"});
  EXPECT_EQ(host_.stops, 1);  // the media player had a file: it is stopped and hidden
}

TEST_F(TitleMenuTest, TheFirstMenuIsRevealedStepByStepAndLaterMenusAtOnce) {
  TitleMenu& t = title();
  t.Timer1Timer();
  t.Imageclick();
  EXPECT_EQ(t.state().titleState, TitlePhase::Menu);
  EXPECT_EQ(t.view().picture, "image\\title\\title2.jpg");
  EXPECT_FALSE(t.view().ctsVisible);
  // The tick at which each component appears: lines at menuTick 3 … 7, HELP 9, back 10.
  struct Step {
    int tick;
    int lines;
    bool help, back, timer;
  };
  const Step steps[] = {{1, 0, false, false, true}, {3, 1, false, false, true}, {7, 5, false, false, true},
                        {9, 5, true, false, true},  {10, 5, true, true, true},  {11, 5, true, true, true},
                        {12, 5, true, true, false}};
  int ticked = 0;
  for (const Step& s : steps) {
    while (ticked < s.tick) t.Timer1Timer(), ++ticked;
    int lines = 0;
    for (bool shown : t.view().lineVisible) lines += shown;
    EXPECT_EQ(lines, s.lines) << "tick " << s.tick;
    EXPECT_EQ(t.view().helpVisible, s.help) << "tick " << s.tick;
    EXPECT_EQ(t.view().backVisible, s.back) << "tick " << s.tick;
    EXPECT_EQ(t.view().timerEnabled, s.timer) << "tick " << s.tick;
  }
  t.backclick();
  EXPECT_EQ(t.state().titleState, TitlePhase::Picture);
  EXPECT_TRUE(t.view().quitVisible && t.view().ctsVisible);
  EXPECT_FALSE(t.view().backVisible || t.view().helpVisible || t.view().lineVisible[0]);
  t.Imageclick();
  t.Timer1Timer();
  for (bool shown : t.view().lineVisible) EXPECT_TRUE(shown);
  EXPECT_TRUE(t.view().helpVisible && t.view().backVisible);
  EXPECT_FALSE(t.view().timerEnabled);
  EXPECT_EQ(t.state().menuTick, 13);
}

TEST_F(TitleMenuTest, RouteButtonsChooseTheirFilesAndPlaceTheCursor) {
  TitleMenu& t = menu();
  const struct {
    int button;
    const char* file;
    int cursorTop;
  } cases[] = {{0, "line_Local_East1.dat", 190},
               {1, "line_Local_East2.dat", 250},
               {2, "line_Local_West3.dat", 310},
               {3, "line_Local_West1.dat", 370},
               {4, "line_Local_West2.dat", 430}};
  for (const auto& c : cases) {
    t.lineclick(c.button);
    EXPECT_EQ(t.state().choice.routeFile, c.file);
    EXPECT_EQ(t.state().choice.endStation, 999);
    EXPECT_TRUE(t.view().cursorVisible && t.view().train1Visible);
    EXPECT_EQ(t.view().cursorLeft, 18);
    EXPECT_EQ(t.view().cursorTop, c.cursorTop);
  }
}

TEST_F(TitleMenuTest, TheTrainButtonStartsADriveAndTheMenuReturnsAfterIt) {
  TitleMenu& t = menu();
  t.lineclick(2);
  t.Trainclick();
  ASSERT_EQ(host_.drives.size(), 1u);
  const TitleChoice& c = host_.drives[0];
  EXPECT_EQ(c.routeFile, "line_Local_West3.dat");
  EXPECT_EQ(c.vehicleFile, "train_E231.dat");
  EXPECT_EQ(c.vehicleDir, "");
  EXPECT_EQ(c.startStation, 0);
  EXPECT_EQ(c.endStation, 999);
  EXPECT_EQ(host_.played.back(), "sound\\start.wav");
  EXPECT_EQ(t.view().status, "Formを作成しています");
  EXPECT_EQ(host_.refreshes, 1);
  EXPECT_EQ(host_.heightDuringDrive, 618);  // the status label shows while the drive loads
  EXPECT_EQ(t.view().clientHeight, 600);
  EXPECT_EQ(t.state().titleState, TitlePhase::Menu);
}

TEST_F(TitleMenuTest, TheTitleComesBackWhenTheDriveFails) {
  TitleMenu& t = menu();
  t.lineclick(0);
  host_.driveThrows = true;
  EXPECT_THROW(t.Trainclick(), std::runtime_error);
  EXPECT_EQ(t.view().clientHeight, 600);
}

TEST_F(TitleMenuTest, MissingRouteOrVehicleIsNotImplemented) {
  TitleMenu& t = menu();
  t.Trainclick();  // no route chosen yet
  t.lineclick(1);  // its file is missing
  t.Trainclick();
  fs::remove(root_ / "train_E231.dat");
  t.lineclick(0);
  t.Trainclick();
  EXPECT_EQ(dialogs_.messages, (std::vector<std::string>{"選択されたシナリオは未実装です",
                                                         "選択されたシナリオline_Local_East2.datは未実装です",
                                                         "選択された列車train_E231.datは未実装です"}));
  EXPECT_TRUE(host_.drives.empty());
}

TEST_F(TitleMenuTest, AVehicleChosenInTheDialogKeepsItsDirectory) {
  touch("trains/my_train.dat");
  TitleMenu& t = menu();
  t.lineclick(0);
  host_.picked = (root_ / "trains" / "my_train.dat").string();
  t.Menumousedown();
  ASSERT_EQ(host_.drives.size(), 1u);
  EXPECT_EQ(host_.drives[0].vehicleFile, "my_train.dat");
  EXPECT_EQ(host_.drives[0].vehicleDir, (root_ / "trains").string() + "/");
  EXPECT_EQ(host_.drives[0].routeFile, "line_Local_East1.dat");
  EXPECT_TRUE(t.state().pickedFile.empty() && t.state().pickedDir.empty());
  // The next click on the train button drives the built-in train again.
  t.Trainclick();
  EXPECT_EQ(host_.drives.back().vehicleFile, "train_E231.dat");
  EXPECT_EQ(host_.drives.back().vehicleDir, "");
  // A cancelled dialog starts nothing.
  host_.picked.reset();
  t.Menumousedown();
  EXPECT_EQ(host_.drives.size(), 2u);
}

TEST_F(TitleMenuTest, RightClickBeforeAnyRouteNamesNoScenario) {
  touch("other.dat");
  TitleMenu& t = menu();
  host_.picked = (root_ / "other.dat").string();
  t.Menumousedown();
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"選択されたシナリオは未実装です"});
}

TEST_F(TitleMenuTest, HelpQuitAndClose) {
  TitleMenu& t = menu();
  t.helpclick();
  EXPECT_EQ(host_.opened, std::vector<std::string>{"readme.html"});
  t.quitClick();
  EXPECT_EQ(host_.closes, 1);
  host_.answer = false;
  EXPECT_FALSE(t.FormCloseQuery());
  host_.answer = true;
  EXPECT_TRUE(t.FormCloseQuery());
  EXPECT_EQ(host_.confirmed, (std::vector<std::string>{"終了しますか？", "終了しますか？"}));
}

}  // namespace
}  // namespace cab
