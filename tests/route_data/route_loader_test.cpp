#include <gtest/gtest.h>

#include "core/data/data_error.h"
#include "tests/route_data/route_test_support.h"

namespace cab {
namespace {

using testing::fixtureBytes;
using testing::RouteDirectory;

// The fixture's pictures, all present but the start picture of "[Staf]", which is only shown.
void writeFixturePictures(const RouteDirectory& dir) {
  for (const char* name : {"staf1.bmp", "staf3.bmp", "monitor.bmp", "teimoku.bmp", "lineS.bmp", "lineM.bmp",
                           "lineE.bmp", "slope.bmp", "limit.bmp", "remain.bmp", "cross.bmp", "other.bmp", "signal.bmp",
                           "sub0.bmp", "sub1.bmp", "sub2.bmp", "traffic.bmp"})
    dir.picture(name, 100, 75);
  dir.picture("anim.bmp", 250, 75);
}

TEST(RouteLoader, FixtureFillsEveryField) {
  RouteDirectory dir("fixture");
  writeFixturePictures(dir);
  const RouteData d = dir.load(fixtureBytes("full_route.dat"));

  EXPECT_EQ(d.LineName, "テスト線 各駅停車");
  EXPECT_EQ(d.LineName2, "テスト線");
  EXPECT_EQ(d.StartPos, 12);
  EXPECT_EQ(d.StafTimetable, "staf1.bmp");
  EXPECT_EQ(d.StafPicture, "staf2.bmp");
  EXPECT_EQ(d.StafSubDisplay, "staf3.bmp");
  EXPECT_EQ(d.Friction.raw(), 2500);
  ASSERT_EQ(d.MovieStopCount, 2);
  EXPECT_EQ(d.MovieStop[1], 2990);
  ASSERT_EQ(d.MovieSwitchCount, 1);
  const MovieSwitchData& m = d.MovieSwitch[0];
  EXPECT_EQ((std::array{m.swtype, m.Start, m.Stop, m.endf, m.next, m.time, m.soundf, m.sound}),
            (std::array{1, 100, 200, 150, 2, 300, 40, 3}));
  EXPECT_EQ(m.name, "sub\\side");
  EXPECT_FALSE(m.done);
  ASSERT_EQ(d.Speed_SignalCount, 3);
  EXPECT_EQ(d.Speed_Signal[2], 45);
  EXPECT_EQ(d.DataName, "east1");
  EXPECT_EQ(d.PerspectiveDistance, 12.5L);
  EXPECT_EQ(d.HorizonHeight, 200);
  EXPECT_EQ(d.PreTrainStart, 5);
  EXPECT_EQ(d.PreTrainLimit, 2000);
  ASSERT_EQ(d.PreTrainCount, 2);
  EXPECT_EQ((std::array{d.PreTrain[1].station, d.PreTrain[1].speed, d.PreTrain[1].deptime}),
            (std::array{2, 50, 31000}));
  EXPECT_EQ(d.OneMan, 1);
  EXPECT_EQ(d.OneMan2, 1);
  ASSERT_EQ(d.SoundDataCount, 3);  // the empty row counts
  EXPECT_EQ(d.SoundData[1], "");
  EXPECT_EQ(d.SoundData[2], "sound\\dep.wav");
  // Only the block naming the current vehicle takes effect.
  EXPECT_EQ((std::array{d.MonitorLeft, d.MonitorTop, d.MonitorPatternWidth, d.MonitorPatternHeight}),
            (std::array{600, 400, 32, 16}));
  EXPECT_EQ(d.MonitorPicture, "monitor.bmp");
  EXPECT_EQ(d.Announce[0].sound, 7);
  EXPECT_EQ(d.AnnounceValue, 3);
  ASSERT_EQ(d.AnnounceCount, 2);
  const AnnounceData& a = d.Announce[1];
  EXPECT_EQ((std::array{a.sound, a.kind, a.station, a.offset, a.kanko}), (std::array{1, 0, 1, 100, 2}));
  EXPECT_EQ(d.Announce[2].sound, 2);
  EXPECT_EQ(d.KankoSound1[0], "k0.wav");
  EXPECT_EQ(d.KankoSound1[20], "k20.wav");
  EXPECT_EQ(d.KankoSound1[21], "");
  EXPECT_EQ(d.KankoCount, 25);
  EXPECT_EQ(d.Kanko[24].name, 2);
  EXPECT_EQ(d.Kanko[24].filename, "x2.wav");

  ASSERT_EQ(d.StationCount, 3);
  const StationData& s = d.Station[0];
  EXPECT_EQ(s.Name, "東駅");
  EXPECT_EQ((std::array{s.trntype, s.Start, s.genkai, s.arrsound, s.depsound, s.bcksound, s.deptime, s.maxspeed,
                        s.pattern, s.door, s.prob, s.time, s.person, s.doorprob, s.tail, s.percent}),
            (std::array{0, 30, 150, 0, 1, 2, 108000, 60, 50, 1, 3, 20, 1, 4, 25, 30}));
  ASSERT_EQ(d.SignalCount, 2);
  const SignalData& g = d.Signal[0];
  EXPECT_EQ((std::array{g.kind,           g.subImage,  g.subSignal,  g.headType,     g.startFrame,
                        g.positionFrame,  g.atsFrame,  g.checkFrame, g.fixedAspect,  g.time,
                        g.overrideAspect, g.switchIdx, g.mainX,      g.mainY,        g.sub1Image,
                        g.sub1X,          g.sub1Y,     g.sub2Image,  g.sub2X,        g.sub2Y,
                        g.sub0X,          g.sub0Y,     g.extraImage, g.sub1AltImage, g.sub2AltImage}),
            (std::array{1, 2, 3, 4, 5, 60, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
  ASSERT_EQ(d.Signal2Count, 2);
  EXPECT_EQ(d.Signal2[0], (std::array{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(d.Signal2[1], (std::array{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
  ASSERT_EQ(d.TrafficSignalCount, 1);
  const TrafficSignalData& t = d.TrafficSignal[0];
  EXPECT_EQ(
      (std::array{t.positionFrame, t.startFrame, t.endFrame, t.lineFrame, t.viewEndFrame, t.imageA, t.imageB, t.flag}),
      (std::array{100, 90, 200, 120, 210, 7, 8, 1}));
  EXPECT_EQ((std::array{t.phases[5].image, t.phases[5].duration, t.phases[5].stop}), (std::array{6, 60, 1}));
  EXPECT_EQ(t.phases[1].duration, 20);
  ASSERT_EQ(d.SpeedLimitCount, 1);
  const SpeedLimitData& l = d.SpeedLimit[0];
  EXPECT_EQ((std::array{l.limit, l.signImage, l.pointType, l.positionFrame, l.endFrame, l.endImage}),
            (std::array{45, 3, 5, 60, 120, 4}));
  EXPECT_EQ(d.MaxSpeedCheck, 2);
  ASSERT_EQ(d.SpeedCheck1Count, 1);
  EXPECT_EQ((std::array{d.SpeedCheck1[0].limit, d.SpeedCheck1[0].checkSpeed, d.SpeedCheck1[0].positionFrame,
                        d.SpeedCheck1[0].linkedSignal, d.SpeedCheck1[0].endFrame}),
            (std::array{40, 45, 90, 1, 0}));
  EXPECT_EQ((std::array{d.SpeedCheck2[0].linkedSignal, d.SpeedCheck2[0].endFrame}), (std::array{0, 180}));
  EXPECT_EQ(d.SpeedCheck3[0].endFrame, 240);
  EXPECT_EQ(d.SignalBaseX, 300);
  EXPECT_EQ(d.SignalBaseY, 100);

  ASSERT_EQ(d.SoundCount, 2);  // the ";" row is skipped
  EXPECT_EQ(d.Sound[1].sound, 3);
  EXPECT_EQ(d.Sound[0].options, (std::array{1, 0, 1, 0, 1}));
  EXPECT_EQ(d.Sound[0].refSpeed, 60);
  ASSERT_EQ(d.Sound2Count, 1);
  EXPECT_EQ(d.Sound2[0].toStation, 2);
  EXPECT_EQ((std::array{d.Doppler[0].sound, d.Doppler[0].positionFrame, d.Doppler[0].range, d.Doppler[0].fixedPitch,
                        d.Doppler[0].condition}),
            (std::array{5, 150, 3000, 0, 1}));
  EXPECT_EQ((std::array{d.Tunnel[0].startFrame, d.Tunnel[0].endFrame, d.Tunnel[0].level}), (std::array{60, 240, 70}));
  EXPECT_EQ(d.Atten[0].percent, 50);
  EXPECT_EQ(d.TunnelR, 15);
  ASSERT_EQ(d.SlopeCount, 2);
  EXPECT_EQ(d.Slope[0].gradient.raw(), 25000);
  EXPECT_EQ(d.Slope[1].gradient.raw(), -100000);
  EXPECT_EQ(d.Slope[1].endFrame, 300);
  EXPECT_EQ(d.Sign[0].switchTime, 1000);
  EXPECT_EQ(d.Anim[0].baseImage, 1);
  EXPECT_EQ(d.SignalKanko[0].values, (std::array{1, 2, 3, 4}));
  EXPECT_EQ(d.StationKanko[0].values, (std::array{5, 6, 7}));
  ASSERT_EQ(d.OtherKankoCount, 2);
  EXPECT_EQ(d.OtherKanko[1], "");
  EXPECT_EQ(d.LimitKanko[0], "l1.wav");
  ASSERT_EQ(d.SpeedUnitCount, 2);
  EXPECT_EQ(d.SpeedUnit[1].speedEnd, 72.0L);
  EXPECT_EQ((std::array{d.Cross[0].image, d.Cross[0].value2, d.Cross[0].startFrame, d.Cross[0].endFrame,
                        d.Cross[0].switchIdx}),
            (std::array{2, 1, 40, 90, 1}));
  EXPECT_EQ(d.Switch[0].switchType, 2);
  EXPECT_EQ(d.Time[0].callout, 108500);

  // Pictures: a 250-wide animation picture gives two 100 x 75 cells.
  EXPECT_EQ(dir.lists.AnimImageList.cells.size(), 2u);
  EXPECT_EQ(dir.lists.TrafficsignalImageList.cells.size(), 1u);
  const int mon = dir.sprites.findImage("img_mon");
  ASSERT_GE(mon, 0);
  EXPECT_EQ(dir.sprites.image(mon).patternWidth, 32);
  EXPECT_EQ(dir.sprites.sprite(0).depth, 51);
  EXPECT_EQ(dir.sprites.sprite(0).x, 600);
}

TEST(RouteLoader, HeaderEdgeCases) {
  RouteDirectory dir("edges");
  struct Case {
    const char* name;
    const char* text;
    std::function<void(const RouteData&)> check;
  } cases[] = {
      {"monitor of another vehicle only consumes its first line", "[Monitor]\nother.dat\n[StartPos]\n7\n1\nx.bmp\n",
       [](const RouteData& d) {
         EXPECT_EQ(d.StartPos, 7);
         EXPECT_EQ(d.MonitorPicture, "");
       }},
      {"matching monitor with an empty picture line creates no picture", "[Monitor]\ntrain_E231.dat\n1\n2\n3\n4\n\n",
       [&](const RouteData& d) {
         EXPECT_EQ(d.MonitorTop, 2);
         EXPECT_EQ(dir.sprites.findImage("img_mon"), -1);
       }},
      {"monitor name is case-sensitive", "[Monitor]\nTRAIN_E231.DAT\n1\n2\n3\n4\nm.bmp\n",
       [](const RouteData& d) { EXPECT_EQ(d.MonitorLeft, 0); }},
      {"announce first line is row 0", "[Announce]\n9,4\n1,0,0,10,0\n2,1,1,20,3\n#\n",
       [](const RouteData& d) {
         EXPECT_EQ(d.AnnounceCount, 2);
         EXPECT_EQ(d.Announce[0].sound, 9);
         EXPECT_EQ(d.AnnounceValue, 4);
         EXPECT_EQ(d.Announce[2].kanko, 3);
       }},
      {"announce without rows", "[Announce]\n9,4\n#\n", [](const RouteData& d) { EXPECT_EQ(d.AnnounceCount, 0); }},
      {"kanko sound 2 numbers its rows from 22", "[KankoSound2]\na\nb\nc\n#\n",
       [](const RouteData& d) {
         EXPECT_EQ(d.KankoCount, 25);
         for (int j = 0; j < 3; ++j) EXPECT_EQ(d.Kanko[22 + j].name, j);
         EXPECT_EQ(d.Kanko[23].filename, "b");
       }},
      {"a repeated kanko sound 2 table starts again", "[KankoSound2]\na\nb\n#\n[KankoSound2]\nc\n#\n",
       [](const RouteData& d) {
         EXPECT_EQ(d.KankoCount, 23);
         EXPECT_EQ(d.Kanko[22].filename, "c");
       }},
      {"pre-train first line then rows", "[Pre_Train]\n100,5000\n#\n",
       [](const RouteData& d) {
         EXPECT_EQ(d.PreTrainStart, 100);
         EXPECT_EQ(d.PreTrainLimit, 5000);
         EXPECT_EQ(d.PreTrainCount, 0);
       }},
      {"pre-train first line of one field", "[Pre_Train]\n100\n3,40,900\n#\n",
       [](const RouteData& d) {
         EXPECT_EQ(d.PreTrainLimit, 0);
         EXPECT_EQ(d.PreTrain[0].deptime, 900);
       }},
      {"no speed signal key, no aspects", "[LineName]\nx\n",
       [](const RouteData& d) { EXPECT_EQ(d.Speed_SignalCount, 0); }},
      {"semicolon rows skipped only in sound tables", "[Sound2]\n;x\n1,2,3\n#\n[MovieStop]\n5\n#\n",
       [](const RouteData& d) {
         EXPECT_EQ(d.Sound2Count, 1);
         EXPECT_EQ(d.Sound2[0].sound, 1);
         EXPECT_EQ(d.MovieStopCount, 1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dir.sprites = SpriteModel();
    c.check(dir.load(c.text));
  }
  // In any other table a ";" row is data, and fails as a number.
  EXPECT_THROW(dir.load("[Switch]\n;1,2\n#\n"), DataError);
}

TEST(RouteLoader, TablesPastCapacityAreRefused) {
  RouteDirectory dir("capacity");
  const auto rows = [](const char* key, const char* row, int n) {
    std::string text = std::string(key) + "\n";
    for (int i = 0; i < n; ++i) text += std::string(row) + "\n";
    return text + "#\n";
  };
  struct Case {
    const char* key;
    const char* row;
    int capacity;
  } cases[] = {{"[MovieStop]", "1", 100},       {"[Speed_Signal]", "1", 11},
               {"[Station]", "A,0,1", 501},     {"[Announce]\n1,2", "1,0,0,0,0", 98},
               {"[KankoSound2]", "a.wav", 479}, {"[Cross]", "1,1,1,1,1", 1000},
               {"[Time]", "1,2,3", 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_NO_THROW(dir.load(rows(c.key, c.row, c.capacity)));
    try {
      dir.load(rows(c.key, c.row, c.capacity + 1));
      ADD_FAILURE() << "accepted";
    } catch (const DataError& e) {
      ASSERT_EQ(e.messages().size(), 2u);
      EXPECT_EQ(e.messages()[0].rfind("路線ファイルに誤りがあります。", 0), 0u);
    }
  }
}

// The timetable (line 1) and sub-display (line 3) pictures must exist when
// named; names are resolved like every data path.
TEST(RouteLoader, StafPicturesMustExist) {
  RouteDirectory dir("staf");
  dir.picture("image/Staf/TABLE.BMP");
  dir.picture("sub.png");
  struct Case {
    const char* name;
    const char* lines;
    const char* halt;  // none when the route loads
  } cases[] = {
      {"all present, case and separators as written in the data", "image\\staf\\table.bmp\nnone.bmp\nSUB.PNG", nullptr},
      {"empty lines name nothing", "\n\n", nullptr},
      {"missing timetable", "table.bmp\n\nsub.png", "table.bmpが見つかりません"},
      {"missing sub display", "image\\staf\\table.bmp\n\nimage\\sub.png", "image\\sub.pngが見つかりません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = std::string("[Staf]\n") + c.lines + "\n[StartPos]\n5\n";
    if (!c.halt) {
      EXPECT_EQ(dir.load(text).StartPos, 5);
      continue;
    }
    try {
      dir.load(text);
      ADD_FAILURE() << "accepted";
    } catch (const DataError& e) {
      EXPECT_EQ(e.messages(), std::vector<std::string>{c.halt});
    }
  }
  // A later "[Staf]" replaces the names that are checked.
  EXPECT_NO_THROW(dir.load("[Staf]\nnone.bmp\n\n\n[Staf]\n\n\n\n"));
}

TEST(RouteLoader, MissingFileNamesItsPath) {
  RouteDirectory dir("missing");
  try {
    loadRouteFile("line_Local_East9.dat", "train_E231.dat", dir.target());
    FAIL();
  } catch (const DataError& e) {
    EXPECT_EQ(e.messages(), (std::vector<std::string>{
                                "路線ファイルに誤りがあります。その他:",
                                "ファイル " + (dir.root() / "line_Local_East9.dat").string() + " を開けません"}));
  }
}

TEST(RouteLoader, SignalTablesMustMatch) {
  RouteData d;
  d.SignalCount = 12;
  d.Signal2Count = 11;
  try {
    checkSignalTables(d);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_EQ(e.messages(), std::vector<std::string>{"信号機数不一致:12:11"});
  }
  d.Signal2Count = 12;
  EXPECT_NO_THROW(checkSignalTables(d));
}

}  // namespace
}  // namespace cab
