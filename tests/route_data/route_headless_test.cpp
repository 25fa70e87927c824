#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/data/route_data.h"
#include "core/route/stations/move_menu.h"
#include "tests/headless/run_headless.h"
#include "tests/support/minimal_vehicle.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

// Route-file errors end the headless run with each message as a "halt:" line.
TEST(RouteHeadless, RouteErrorsHaltWithTheirMessages) {
  const std::string station = "東駅,0,30,150,0,0,0,0,60,0,0,0,0,0,0,0,0";
  struct Case {
    const char* name;
    std::string route;
    std::vector<std::string> halts;
  } cases[] = {
      {"bad station row",
       "[Station]\n" + station + "\n西駅,0,3x0,150\n#\n",
       {"halt: 路線ファイルに誤りがあります。[Station]:西駅,0,3x0,150\n",
        "halt: '3x0' is not a valid integer value\n"}},
      {"bad speed unit field",
       "[SpeedUnit]\n0,300,36,fast\n#\n",
       {"halt: 路線ファイルに誤りがあります。[SpeedUnit]:0,300,36,fast\n"}},
      {"unequal signal tables",
       "[Signal]\n0,0,0,0,0,10\n0,0,0,0,0,20\n#\n[Signal2]\n0123456789\n#\n",
       {"halt: 信号機数不一致:2:1\n"}},
      {"missing stop-marker picture", "[SignImageList]\nnothere.bmp,64\n", {"halt: 停目の生成エラー\n"}},
      {"missing signal picture", "[SignalImageList]\n0,0,40,80,nothere.bmp\n", {"halt: 信号機の生成エラー\n"}},
      {"missing route file", "", {"halt: 路線ファイルに誤りがあります。その他:\n"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path root = fs::temp_directory_path() / "cabview-route-headless";
    fs::remove_all(root);
    fs::create_directories(root);
    std::ofstream(root / "vantorel.dat") << "[Disp]\n30,1\n0\n640\n480\n0\n";
    testing::writeMinimalVehicle(root);
    if (!c.route.empty()) std::ofstream(root / "line_Local_East1.dat") << c.route;
    auto r = testing::runHeadless("--data " + testing::quoted(root) +
                                  " --route line_Local_East1.dat --vehicle train_E231.dat --seconds 1");
    EXPECT_EQ(r.exitStatus, 2);
    for (const std::string& h : c.halts) EXPECT_NE(r.err.find(h), std::string::npos) << r.err;
    if (c.halts.size() == 1 && c.halts[0].find("路線ファイル") != std::string::npos) {
      // The failure's own text follows as a second halt line.
      EXPECT_NE(r.err.find("halt: ", r.err.find(c.halts[0]) + c.halts[0].size()), std::string::npos) << r.err;
    }
    fs::remove_all(root);
  }
}

TEST(MoveMenu, StoppingStationsInOrderWithoutTheLast) {
  RouteData d;
  const std::pair<const char*, int> stations[] = {{"A", 0}, {"B", 1}, {"C", 2}, {"D", 3}, {"E", 0}, {"F", 0}};
  for (const auto& [name, type] : stations) {
    d.Station[d.StationCount].Name = name;
    d.Station[d.StationCount++].trntype = type;
  }
  const auto names = [](const std::vector<MoveMenuItem>& items) {
    std::vector<std::string> out;
    for (const auto& i : items) out.push_back(i.caption + "/" + i.name + "/" + std::to_string(i.station));
    return out;
  };
  EXPECT_EQ(names(buildMoveMenu(d, 0, std::nullopt)), (std::vector<std::string>{"A/Sta0/0", "C/Sta2/2", "E/Sta4/4"}));
  EXPECT_EQ(names(buildMoveMenu(d, 0, 999)), (std::vector<std::string>{"A/Sta0/0", "C/Sta2/2", "E/Sta4/4"}));
  EXPECT_EQ(names(buildMoveMenu(d, 1, 4)), (std::vector<std::string>{"C/Sta2/2"}));
  EXPECT_TRUE(buildMoveMenu(d, 0, 0).empty());  // a drive that ends at its first station jumps nowhere
  EXPECT_TRUE(buildMoveMenu(RouteData{}, 0, std::nullopt).empty());
}

}  // namespace
}  // namespace cab
