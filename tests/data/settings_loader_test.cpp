#include "core/data/settings_loader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/data_directory.h"
#include "core/common/text_decoding.h"
#include "core/data/data_error.h"

namespace cab {
namespace {

TEST(SettingsLoader, FillsEveryKey) {
  const std::string text =
      "[Disp]\n30,2\n620\n640\n480\n0\n[Path]\nmovie\\\n[Forward]\n前\n[Neutral]\n中\n[Reverse]\n後\n"
      "[Stop]\n停車\n[Pass]\n通過\n[Stop2]\n停車2\n[Neut]\nN\n[Neut2]\nN2\n[Apply]\n込め\n[Maintain]\n保\n"
      "[Remove]\n緩め\n[Hold]\n抑\n[Hold2]\n抑速\n[EB]\n非常\n[Const]\n定速\n[Cars]\n両\n[TC]\nTC\n"
      "[Stops]\n停車駅\n通過駅\n[Doors]\n閉\n開\n[Gears]\n1速\nN\n2速\n[InfoLabel]\nl0\nl1\n#\n"
      "[Start]\n開始\n[Move]\n移動\n[Display]\n表示\n[Control]\n制御\n[Save]\n保存\n";
  UiStrings s = loadSettings(encodeCp932(text));
  EXPECT_EQ(s.videoFrameRate, 30);
  EXPECT_EQ(s.frameCountFactor, 2);
  EXPECT_EQ(s.timetableLeft, 620);
  EXPECT_EQ(s.videoWidth, 640);
  EXPECT_EQ(s.videoHeight, 480);
  EXPECT_EQ(s.Path, "movie\\");
  const std::pair<const std::string*, const char*> fields[] = {
      {&s.Forward, "前"},      {&s.Neutral, "中"},      {&s.Reverse, "後"},      {&s.Stop, "停車"},
      {&s.Pass, "通過"},       {&s.Stop2, "停車2"},     {&s.Neut, "N"},          {&s.Neut2, "N2"},
      {&s.Apply, "込め"},      {&s.Maintain, "保"},     {&s.Remove, "緩め"},     {&s.Hold, "抑"},
      {&s.Hold2, "抑速"},      {&s.EB, "非常"},         {&s.Const, "定速"},      {&s.Cars, "両"},
      {&s.TC, "TC"},           {&s.Stops[1], "通過駅"}, {&s.Doors[1], "開"},     {&s.Gears[2], "2速"},
      {&s.InfoLabel[1], "l1"}, {&s.InfoLabel[2], ""},   {&s.menu.start, "開始"}, {&s.menu.save, "保存"}};
  for (const auto& [field, expected] : fields) EXPECT_EQ(*field, expected);
}

TEST(SettingsLoader, MenuCaptionsDefaultWhenAbsent) {
  UiStrings s = loadSettings("[Disp]\n30,1\n0\n320\n240\n0\n");
  EXPECT_EQ(s.menu.start, "Start");
  EXPECT_EQ(s.menu.control, "Controller(&C)");
}

TEST(SettingsLoader, ErrorsHaltWithTheSettingsMessage) {
  struct Case {
    const char* text;
    std::size_t messages;
  } cases[] = {{"[Disp]\nthirty,1\n0\n640\n480\n0\n", 1},  // not a number
               {"[Disp]\n30,1\n0\n640\n", 1},              // file ends inside [Disp]
               {"[Disp]\n0,1\n0\n640\n480\n0\n", 2},       // frame rate 0: also says why
               {"[Path]\nmovie\\\n", 2}};                  // no [Disp] at all
  for (const auto& c : cases) {
    try {
      loadSettings(c.text);
      ADD_FAILURE() << c.text;
    } catch (const DataError& e) {
      ASSERT_EQ(e.messages().size(), c.messages) << c.text;
      EXPECT_EQ(e.messages()[0], "stringファイルに誤りがあります");
    }
  }
}

// The video surface is W x H: each side from 16 to 8192 pixels.
TEST(SettingsLoader, VideoSurfaceSidesAreBounded) {
  const auto disp = [](const std::string& width, const std::string& height) {
    return "[Disp]\n30,1\n0\n" + width + "\n" + height + "\n0\n";
  };
  struct Case {
    std::string width, height, reason;
  } refused[] = {{"-1", "48", "[Disp] 3行目の映像の幅 -1 は16以上8192以下にしてください"},
                 {"0", "48", "[Disp] 3行目の映像の幅 0 は16以上8192以下にしてください"},
                 {"15,640", "48", "[Disp] 3行目の映像の幅 15 は16以上8192以下にしてください"},
                 {"8193", "48", "[Disp] 3行目の映像の幅 8193 は16以上8192以下にしてください"},
                 {"64", "0", "[Disp] 4行目の映像の高さ 0 は16以上8192以下にしてください"},
                 {"64", "-48", "[Disp] 4行目の映像の高さ -48 は16以上8192以下にしてください"},
                 {"64", "2147483647", "[Disp] 4行目の映像の高さ 2147483647 は16以上8192以下にしてください"}};
  for (const Case& c : refused) {
    try {
      loadSettings(disp(c.width, c.height));
      ADD_FAILURE() << c.width << " x " << c.height;
    } catch (const DataError& e) {
      EXPECT_EQ(e.messages(), (std::vector<std::string>{"stringファイルに誤りがあります", c.reason}));
    }
  }
  const UiStrings smallest = loadSettings(disp("16", "16"));
  EXPECT_EQ(smallest.videoWidth, 16);
  const UiStrings largest = loadSettings(disp("8192", "8192"));
  EXPECT_EQ(largest.videoHeight, 8192);
}

TEST(SettingsLoader, MissingFileNamesItsPath) {
  const std::filesystem::path root = std::filesystem::temp_directory_path() / "cabview-no-such-data-directory";
  std::filesystem::remove_all(root);
  try {
    loadSettingsFile(DataDirectory(root));
    ADD_FAILURE();
  } catch (const DataError& e) {
    EXPECT_EQ(e.messages(),
              (std::vector<std::string>{"stringファイルに誤りがあります",
                                        "ファイル " + (root / "vantorel.dat").string() + " を開けません"}));
  }
}

}  // namespace
}  // namespace cab
