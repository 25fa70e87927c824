#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/headless/run_headless.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// A copy of the small driving data set in a folder of its own.
class DataSetCopy {
 public:
  explicit DataSetCopy(const std::string& name) : root_(fs::temp_directory_path() / ("cabview-bad-data-" + name)) {
    fs::remove_all(root_);
    fs::copy(fs::path(CABVIEW_FIXTURES) / "driving", root_, fs::copy_options::recursive);
  }
  ~DataSetCopy() { fs::remove_all(root_); }

  const fs::path& root() const { return root_; }

  std::string read(const std::string& file) const {
    std::ifstream in(root_ / file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void write(const std::string& file, const std::string& text) const {
    std::ofstream(root_ / file, std::ios::binary) << text;
  }
  // Later keys replace the values of earlier ones.
  void append(const std::string& file, const std::string& text) const { write(file, read(file) + text); }
  void removeLines(const std::string& file, const std::string& lines) const {
    std::string text = read(file);
    const auto at = text.find(lines);
    ASSERT_NE(at, std::string::npos) << file << " has no " << lines;
    write(file, text.erase(at, lines.size()));
  }
  void remove(const std::string& file) const { fs::remove(root_ / file); }

 private:
  fs::path root_;
};

constexpr const char* Settings = "vantorel.dat";
constexpr const char* Vehicle = "train_E231.dat";
constexpr const char* Route = "line_Local_East1.dat";

struct BadData {
  const char* name;
  std::function<void(const DataSetCopy&)> change;
  std::vector<std::string> halts;  // the halt's lines; "<root>" stands for the copy's folder
  const char* dataDirectory = "";  // where the run looks for the data, inside the copy
};

std::string rows(const std::string& row, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += row;
  return text;
}

// The lines of `err` that the halt printed, without their prefix.
std::vector<std::string> haltLines(const std::string& err) {
  std::vector<std::string> lines;
  std::istringstream in(err);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("halt: ", 0) == 0) lines.push_back(line.substr(6));
  return lines;
}

std::string withRoot(std::string text, const fs::path& root) {
  const std::string mark = "<root>";
  if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), root.string());
  return text;
}

class BadDataRun : public ::testing::TestWithParam<BadData> {};

TEST_P(BadDataRun, HaltsAtLoadWithItsMessages) {
  const BadData& c = GetParam();
  DataSetCopy data(c.name);
  c.change(data);
  const fs::path dataDirectory = data.root() / c.dataDirectory;
  const auto r = testing::runHeadless("--data " + testing::quoted(dataDirectory) + " --route " + Route + " --vehicle " +
                                      Vehicle + " --seconds 1");
  std::vector<std::string> expected;
  for (const std::string& h : c.halts) expected.push_back(withRoot(h, data.root()));
  EXPECT_EQ(haltLines(r.err), expected) << r.err;
  EXPECT_EQ(r.exitStatus, expected.empty() ? 0 : 2) << r.err;
}

const std::string VehicleBase = "車両ファイルに誤りがあります- 列車の基本設定";
const std::string SettingsMessage = "stringファイルに誤りがあります";

INSTANTIATE_TEST_SUITE_P(
    Rows, BadDataRun,
    ::testing::Values(
        BadData{"UnchangedSet", [](const DataSetCopy&) {}, {}},
        BadData{"LargestBrakeCount",
                [](const DataSetCopy& d) { d.append(Vehicle, "[Brake]\n2147483647\n"); },
                {VehicleBase, "[Brake] は 11 以下が必要です"}},
        BadData{"TwelveNotches",
                [](const DataSetCopy& d) { d.append(Vehicle, "[Power]\n12\n"); },
                {VehicleBase, "[Power] は 11 以下が必要です"}},
        BadData{"ElevenBrakeStepsWithApplicationSounds",
                [](const DataSetCopy& d) { d.append(Vehicle, "[Brake]\n11\n[Sound_BA]\n" + rows("0,0\n", 12)); },
                {VehicleBase, "[Brake] は [Sound_BA] があるとき 10 以下が必要です"}},
        BadData{"VideoWidthZero",
                [](const DataSetCopy& d) { d.append(Settings, "[Disp]\n30,1\n0\n0\n48\n0\n"); },
                {SettingsMessage, "[Disp] 3行目の映像の幅 0 は16以上8192以下にしてください"}},
        BadData{"VideoWidthNegative",
                [](const DataSetCopy& d) { d.append(Settings, "[Disp]\n30,1\n0\n-64\n48\n0\n"); },
                {SettingsMessage, "[Disp] 3行目の映像の幅 -64 は16以上8192以下にしてください"}},
        BadData{"VideoHeightHuge",
                [](const DataSetCopy& d) { d.append(Settings, "[Disp]\n30,1\n0\n64\n100000\n0\n"); },
                {SettingsMessage, "[Disp] 4行目の映像の高さ 100000 は16以上8192以下にしてください"}},
        BadData{"StafTimetableMissing",
                [](const DataSetCopy& d) { d.append(Route, "[Staf]\nstaf\\table.bmp\n\n\n"); },
                {"staf\\table.bmpが見つかりません"}},
        BadData{"StafSubDisplayMissing",
                [](const DataSetCopy& d) { d.append(Route, "[Staf]\n\n\nsub.png\n"); },
                {"sub.pngが見つかりません"}},
        BadData{"VehicleFileMissing",
                [](const DataSetCopy& d) { d.remove(Vehicle); },
                {VehicleBase, "ファイル <root>/train_E231.dat を開けません"}},
        BadData{"WrongDataDirectory",
                [](const DataSetCopy&) {},
                {SettingsMessage, "ファイル <root>/nowhere/vantorel.dat を開けません"},
                "nowhere"},
        BadData{"EmptyVehicleFile",
                [](const DataSetCopy& d) { d.write(Vehicle, ""); },
                {VehicleBase, "[Tons] は 1 以上が必要です"}},
        BadData{"NoCars",
                [](const DataSetCopy& d) { d.removeLines(Vehicle, "[Cars]\n4\n"); },
                {VehicleBase, "[Cars] は 1 以上が必要です"}},
        BadData{"NoPowerType",
                [](const DataSetCopy& d) { d.removeLines(Vehicle, "[Power_Type]\n1\n"); },
                {VehicleBase, "[Power_Type] は 0 (抵抗制御) のとき [CurrentP] の表が必要です"}},
        BadData{"SpeedUnitOfNoFramesWithoutPositions",
                [](const DataSetCopy& d) { d.append(Route, "[SpeedUnit]\n0,30000,36,36\n30000,30000,36,36\n#\n"); },
                {}},
        BadData{"SpeedUnitOfNoFramesUnderAStation",
                [](const DataSetCopy& d) {
                  d.append(Route, "[SpeedUnit]\n0,27000,36,36\n27000,27000,36,36\n27000,30000,36,36\n#\n");
                },
                {"路線ファイルに誤りがあります。[SpeedUnit]:2行目",
                 "始点と終点が同じフレーム(27000)の区間に位置があります"}}),
    [](const ::testing::TestParamInfo<BadData>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cab
