#include "route_files.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cab_pictures.h"
#include "data_file.h"
#include "readme_page.h"
#include "route_pictures.h"
#include "title_pictures.h"

namespace cab::demo {

namespace {

using namespace route_pictures;

constexpr int StartClock = 10 * 108000;  // 10:00:00 in 1/30 s
// The station video at the second stop: one frame a second while the train stands.
constexpr int StationSceneSeconds = 24;

// The route's environment sounds ("[SoundData]"); index 0 is a plain
// field loop so that a station's background sound 0 can mean none.
enum RouteSound {
  EnvField,
  EnvStation,
  Arrive,
  Depart,
  CrossingBell,
  PassingTrain,
  EnvTunnel,
  StationScene,
  AnnounceNext,
  AnnounceDoor,
  AnnounceOverrun,
  Bridge
};
const std::vector<std::string> SoundFiles = {
    "sound\\env_field.wav",     "sound\\env_station.wav",   "sound\\arrive.wav",           "sound\\depart.wav",
    "sound\\crossing_bell.wav", "sound\\passing_train.wav", "sound\\env_tunnel.wav",       "sound\\station_scene.wav",
    "sound\\announce_next.wav", "sound\\announce_door.wav", "sound\\announce_overrun.wav", "sound\\bridge.wav"};

struct RouteSpec {
  std::string file, lineName, lineName2, stem;
  const LinePlan* plan = nullptr;
  int firstStation = 0;
  bool oneMan = false;
  bool stationVideo = false;  // "[MovieSwitch]" type 2 at the second station
  bool branchVideo = false;   // "[MovieSwitch]" type 1 after the first station
  int preTrainGap = 0;        // clock units the preceding train runs ahead; 0 = none
};

std::string s(long long v) { return std::to_string(v); }

int depTime(const LinePlan& plan, int first, int station) {
  return StartClock + (plan.stations[station].departFrame - plan.stations[first].frame) + 300;
}

// Branch video range: from 10 s after the first departure, 20 s long.
struct Branch {
  int start, stop;
};
Branch branchRange(const LinePlan& plan) {
  const int start = plan.stations[0].departFrame + 10 * plan.fps;
  return {start, start + 20 * plan.fps};
}

void writeRoute(const std::filesystem::path& root, const RouteSpec& r, VideoSize size) {
  const LinePlan& plan = *r.plan;
  const auto& st = plan.stations;
  const int last = plan.frameCount - 1;
  DataFile f;
  f.line(r.lineName);
  f.key("[LineName]", {r.lineName});
  f.key("[LineName2]", {r.lineName2});
  f.key("[StartPos]", {s(st[r.firstStation].frame)});
  f.key("[Staf]", {"image\\staf\\" + r.stem + "_timetable.jpg", "image\\staf\\" + r.stem + "_start.jpg",
                   "image\\staf\\" + r.stem + "_sub.png"});
  f.key("[Friction]", {"0.30"});
  // The start mark stops a train backing out of the video; running forward from it passes freely.
  f.table("[MovieStop]", {"0", s(last - 1)});
  std::vector<std::string> switches;
  if (r.stationVideo)
    switches.push_back(joinFields({"2", s(st[1].frame), s(st[1].departFrame), plan.videoName + "_station",
                                   s(StationSceneSeconds), "1", s(StartClock), "2", s(StationScene)}));
  if (r.branchVideo) {
    const Branch b = branchRange(plan);
    switches.push_back(joinFields({"1", s(b.start), s(b.stop), plan.videoName + "_branch", s(b.stop - b.start),
                                   s(b.stop + 1), "0", "0", s(Bridge)}));
  }
  f.table("[MovieSwitch]", switches);
  std::vector<std::string> aspects;
  for (int v : SignalSpeeds) aspects.push_back(s(v));
  f.table("[Speed_Signal]", aspects);
  f.key("[DataName]", {plan.videoName});
  f.key("[Perspective]", {"60", "150"});
  // The preceding train leaves each station the given time before us. The
  // route's stations are counted from its first one.
  std::vector<std::string> preTrain;
  if (r.preTrainGap > 0)
    for (size_t i = r.firstStation; i < st.size(); ++i)
      if (st[i].trntype != 1)
        preTrain.push_back(row({long(i) - r.firstStation, 55, depTime(plan, r.firstStation, int(i)) - r.preTrainGap}));
  f.key("[Pre_Train]", {r.preTrainGap > 0 ? row({st[r.firstStation].frame + 1, last - 10}) : "0,0"});
  for (const auto& p : preTrain) f.line(p);
  f.line("#");
  f.key("[OneMan]", {r.oneMan ? "1" : "0", r.oneMan ? "1" : "0"});
  f.table("[SoundData]", SoundFiles);
  // The modern car's desk has a monitor screen; the route shows the next stop's kind on it.
  const Place screen = emuDesign().monitor;
  f.key("[Monitor]", {"train_E231.dat", s(screen.left), s(screen.top), s(cab_cells::MonitorWidth),
                      s(cab_cells::MonitorHeight), cab_files::monitor()});
  // Toward each stop: the next stop 400 m after leaving the one before, the
  // doors 100 m before arriving.
  std::vector<std::string> announce;
  long previousStop = 0;
  for (size_t i = r.firstStation + 1; i < st.size(); ++i)
    if (st[i].trntype != 1) {
      const long stop = long(i) - r.firstStation;
      announce.push_back(row({AnnounceNext, 0, previousStop, 400, 0}));
      announce.push_back(row({AnnounceDoor, 1, stop, 100, 0}));
      previousStop = stop;
    }
  // After an overrun, and once the train has been brought back to the stop.
  f.key("[Announce]", {row({AnnounceOverrun, AnnounceDoor})});
  for (const auto& a : announce) f.line(a);
  f.line("#");
  // The call-out slots: the signal aspects (stop, warning, caution, reduced
  // speed, proceed, the repeater's), the time check (off by 10 s steps, on
  // time), doors closed, departure, and the level crossing in the slot of
  // high-speed proceed, which the demo's signals never show.
  std::vector<std::string> kanko1{"teishi", "keikai", "chuui", "gensoku", "shinkou", "chuui"};
  kanko1.resize(19, "jikoku");
  for (const char* k : {"extra", "shinkou", "fumikiri"}) kanko1.push_back(k);
  for (auto& k : kanko1) k = "sound\\kanko_" + k + ".wav";
  f.key("[KankoSound1]", kanko1);
  f.table("[KankoSound2]", {"sound\\kanko_extra.wav", "sound\\kanko_shinkou.wav"});

  f.line("- 駅");
  std::vector<std::string> stations;
  for (size_t i = r.firstStation; i < st.size(); ++i) {
    const auto& t = st[i];
    const bool stop = t.trntype != 1;
    const bool terminal = i + 1 == st.size();
    stations.push_back(
        joinFields({t.name, s(t.trntype), s(t.frame), "150", s(Arrive), s(Depart), s(stop ? EnvStation : 0),
                    s(stop && !terminal ? depTime(plan, r.firstStation, int(i)) : 0),
                    s(std::lround(plan.cruiseKmh) + 10), s(t.trntype == 0 ? 30 : 0), s(i % 2), "0", "0", s(i % 2), "0",
                    s(std::max(0, t.frame - 30)), s(20 + 10 * int(i % 3))}));
  }
  f.table("[Station]", stations);
  // A home signal before every stopping station but the line's first (a
  // route starting further on keeps the one its train has just passed, so
  // the preceding train can hold the starting signal ahead at stop), and a
  // starting signal after each departure, in view from the stopping point.
  std::vector<std::string> signals, signal2;
  auto signal = [&](int kind, int position, int releaseStation, int view) {
    signals.push_back(joinFields({s(kind),
                                  "0",
                                  "0",
                                  "4",
                                  s(view),
                                  s(position),
                                  s(std::max(0, position - 6 * plan.fps)),
                                  s(std::max(0, position - 3 * plan.fps)),
                                  "0",
                                  "0",
                                  "0",
                                  s(releaseStation),
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0",
                                  "0"}));
    signal2.push_back("2234444444");
  };
  // A starting signal's call-out is followed by a time check against the
  // departure, unless the signal shows stop.
  std::vector<std::string> signalKanko;
  for (size_t i = r.firstStation; i < st.size(); ++i) {
    if (st[i].trntype == 1) continue;
    if (i > 0) {
      const int home = std::max(0, st[i].frame - 20 * plan.fps);
      signal(0, home, 0, std::max(0, home - 12 * plan.fps));
    }
    if (i + 1 < st.size()) {
      signalKanko.push_back(row({long(signals.size()), 1, depTime(plan, r.firstStation, int(i)), 1}));
      signal(3, st[i].departFrame + 2 * plan.fps, int(i) - r.firstStation, std::max(0, st[i].frame - plan.fps));
    }
  }
  f.table("[Signal]", signals);
  f.table("[Signal2]", signal2);
  const int crossing = plan.frameAt(plan.crossings.back());
  f.table("[TrafficSignal]", {joinFields({s(crossing),
                                          s(std::max(0, crossing - 20 * plan.fps)),
                                          s(crossing + 60),
                                          "0",
                                          "100",
                                          "0",
                                          "1",
                                          "30",
                                          "1",
                                          "2",
                                          "100",
                                          "1",
                                          "0",
                                          "100",
                                          "0",
                                          "1",
                                          "30",
                                          "1",
                                          "2",
                                          "100",
                                          "1",
                                          s(std::max(0, crossing - 60)),
                                          s(crossing),
                                          "0",
                                          "2",
                                          "1"})});
  const int curveStart = plan.frameAt(plan.curves.back().from), curveEnd = plan.frameAt(plan.curves.back().to);
  f.table("[SpeedLimit]", {row({45, limitSignFor(45), 1, curveStart, curveEnd, limitSignFor(75)})});
  f.key("[MaxSpeedCheck]", {"1"});
  f.table("[SpeedCheck1]", {row({45, 50, std::max(0, curveStart - 3 * plan.fps), 0})});
  f.table("[SpeedCheck2]", {row({55, 0, curveStart, curveEnd})});
  f.table("[SpeedCheck3]", {row({60, 0, curveStart, curveEnd})});
  f.line("- 画像");
  f.key("[SignImageList]",
        {"image\\sign\\teimoku.bmp,64", "image\\sign\\stopline_S.png,8", "image\\sign\\stopline_M.png,8",
         "image\\sign\\stopline_E.png,8", slopePostFile(plan) + ",64", "image\\sign\\limit.bmp,64",
         "image\\sign\\remain.bmp,64", "image\\sign\\cross.bmp,64", "image\\sign\\other.bmp,64"});
  // The signal pictures stand in the upper right of the video.
  f.key("[SignalImageList]", {joinFields({s(size.width * 7 / 8), s(size.height / 10), s(SignalWidth), s(SignalHeight),
                                          "image\\signal\\signal.bmp"}),
                              joinFields({s(SubWidth), s(SubHeight), "image\\signal\\sub.bmp"}),
                              joinFields({s(SubWidth), s(SubHeight), "image\\signal\\left.bmp"}),
                              joinFields({s(SubWidth), s(SubHeight), "image\\signal\\right.bmp"})});
  f.line("- 音と沿線");
  // The field's sound loops from the first station on (silent while the train
  // stands); a train passing on the other track fades in and out, its pitch
  // and level following our speed against 60 km/h.
  f.table("[Sound]", {";  環境音: 駅の外の野原", row({EnvField, st[r.firstStation].frame, last, 0, 1, 0, 0, 0, 0}),
                      row({PassingTrain, st[r.firstStation].departFrame + 5 * plan.fps,
                           st[r.firstStation].departFrame + 9 * plan.fps, 60, 1, 1, 1, 0, 1})});
  f.table("[Sound2]", {row({EnvField, r.firstStation, int(st.size()) - 1})});
  f.table("[Doppler]", {row({CrossingBell, plan.frameAt(plan.crossings.front()), 30000, 0, 0}),
                        row({CrossingBell, crossing, 30000, 0, 0})});
  std::vector<std::string> tunnels, attens;
  for (const auto& t : plan.tunnels) {
    tunnels.push_back(row({plan.frameAt(t.from), plan.frameAt(t.to), 80}));
    attens.push_back(row({plan.frameAt(t.from), plan.frameAt(t.to), 0, 40}));
  }
  f.table("[Tunnel]", tunnels);
  f.table("[Atten]", attens);
  f.key("[TunnelR]", {"25"});
  std::vector<std::string> slopes;
  for (const auto& sl : plan.slopes)
    slopes.push_back(joinFields({s(std::lround(sl.value)), s(plan.frameAt(sl.from)), s(plan.frameAt(sl.to))}));
  f.table("[Slope]", slopes);
  // The whistle sign before the first crossing, gone when its indicator
  // comes up; before the last station a slow sign that turns into its
  // release sign after 5 s.
  const int signFrame = plan.frameAt(plan.crossings.front());
  f.table("[Sign]",
          {row({OtherSignWhistle, std::max(0, signFrame - 20 * plan.fps), std::max(0, signFrame - 11 * plan.fps), 0}),
           row({OtherSignSlow, st.back().frame - 20 * plan.fps, st.back().frame - 5 * plan.fps, 5})});
  f.table("[Anim]", {row({std::max(0, signFrame - 8 * plan.fps), signFrame, 3, 0})});
  std::vector<std::string> points;
  for (size_t i = 0; i < plan.points.size(); ++i) points.push_back(row({plan.frameAt(plan.points[i]), long(i % 2)}));
  f.table("[Switch]", points);
  f.table("[SignalKanko]", signalKanko);
  // At each stop the doors opening call out the signal ahead (the key's
  // call-out) and the departure checks the time.
  std::vector<std::string> stationKanko;
  for (size_t i = r.firstStation; i + 1 < st.size(); ++i) {
    const long station = long(i) - r.firstStation;
    if (st[i].trntype == 0) stationKanko.push_back(row({station, 0, 999}));
    if (st[i].trntype != 1) stationKanko.push_back(row({station, 1, depTime(plan, r.firstStation, int(i))}));
  }
  f.table("[StationKanko]", stationKanko);
  // By the other sign's picture: the whistle sign and the release sign.
  f.table("[OtherKanko]", {"", "sound\\kanko_fumikiri.wav", "", "sound\\kanko_kaijo.wav"});
  // By the limit sign's picture: the 45 km/h approach sign and the end sign.
  f.table("[LimitKanko]", {"", "", "sound\\kanko_seigen.wav", "", "", "sound\\kanko_kaijo.wav"});
  f.table("[AnimImageList]", {"image\\anim\\crossing_lamp.bmp"});
  f.table("[TrafficSignalImageList]", {"image\\traffic\\traffic.bmp"});
  std::vector<std::string> units;
  for (const auto& u : plan.units)
    units.push_back(
        joinFields({s(u.frameStart), s(u.frameEnd), s(std::lround(u.speedStart)), s(std::lround(u.speedEnd))}));
  f.table("[SpeedUnit]", units);
  // A crossing shortly beyond a stop with doors is reached while arriving
  // there; its second lamp stays lit until the train departs.
  std::vector<std::string> crossings;
  for (double c : plan.crossings) {
    const int fr = plan.frameAt(c);
    std::size_t before = r.firstStation;
    for (std::size_t i = r.firstStation; i < st.size(); ++i)
      if (st[i].metres <= c) before = i;
    const bool fromStop = before > size_t(r.firstStation) && st[before].trntype == 0 && c - st[before].metres < 400;
    const int start = fromStop ? st[before].frame - 5 * plan.fps : fr - 10 * plan.fps;
    crossings.push_back(row({1, 21, std::max(0, start), fr + plan.fps, fromStop ? long(before) - r.firstStation : 0}));
  }
  f.table("[Cross]", crossings);
  // The time sign well before the last station, clear of the slow sign.
  f.table("[Time]", {row({st.back().frame - 45 * plan.fps, st.back().frame - 25 * plan.fps,
                          depTime(plan, r.firstStation, int(st.size()) - 2) + 900})});
  f.save(root / r.file);
}

}  // namespace

void writeRoutes(const std::filesystem::path& root, const LinePlan& east, const LinePlan& west, VideoSize size) {
  const std::vector<RouteSpec> routes = {
      {"line_Local_East1.dat", "東湊線 普通 霞野→東灯台", "東湊線", "east1", &east, 0, false, true, false, 0},
      {"line_Local_East2.dat", "東湊線 普通 潮見坂→東灯台（続行運転）", "東湊線2", "east2", &east, 1, false, false,
       false, 2400},
      {"line_Local_West3.dat", "西峰線 ワンマン 峰岡→西峰温泉", "西峰線W", "west3", &west, 0, true, false, false, 0},
      {"line_Local_West1.dat", "西峰線 普通 峰岡→西峰温泉（支線経由）", "西峰線", "west1", &west, 0, false, false, true,
       0},
      {"line_Local_West2.dat", "西峰線 普通 杉ノ森→西峰温泉", "西峰線2", "west2", &west, 1, false, false, false, 1800},
  };
  std::vector<std::string> names;
  for (const auto& r : routes) {
    writeRoute(root, r, size);
    writeStafPictures(root, r.stem, r.lineName2, *r.plan, r.firstStation, StartClock, size.width, size.height);
    names.push_back(r.lineName);
  }
  writeTitleScreen(root, names, east, west);
  writeReadme(root, names, east, west);
  writeOverlayPictures(root, size.width);
  for (const LinePlan* plan : {&east, &west}) writeSlopePosts(root, *plan);
}

void writeSceneVideos(const std::filesystem::path& root, const LinePlan& east, const LinePlan& west, VideoSize size) {
  writeStationVideo(east, 1, root / "movie" / (east.videoName + "_station.avi"), size, StationSceneSeconds + 1);
  const Branch b = branchRange(west);
  writeBranchVideo(west, root / "movie" / (west.videoName + "_branch.avi"), size, b.start, b.stop - b.start + 61);
}

}  // namespace cab::demo
