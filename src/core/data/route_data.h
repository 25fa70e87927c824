#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/common/fixed4.h"
#include "core/data/route_records.h"

namespace cab {

// Table capacities of the route file, in rows.
namespace RouteCapacity {
constexpr int MovieStop = 100;
constexpr int MovieSwitch = 100;
constexpr int Speed_Signal = 11;
constexpr int PreTrain = 999;
constexpr int SoundData = 501;
constexpr int Announce = 99;  // including row 0, the overrun announcement
constexpr int KankoSound1 = 22;
constexpr int Kanko = 501;  // "[KankoSound1]" slots included
constexpr int KankoSoundList = 40;
constexpr int Rows = 501;  // stations, signals and most track tables
constexpr int Cross = 1000;
constexpr int CalloutFiles = 1000;
constexpr int Time = 100;
constexpr int SpeedUnit = 30000;
constexpr int ProtectionPoints = 501;
}  // namespace RouteCapacity

// A fixed-size table: its rows exist up to the capacity; the separate count
// says how many the file filled.
template <class T>
std::vector<T> tableOf(int capacity) {
  return std::vector<T>(static_cast<std::size_t>(capacity));
}

// Everything a route file holds, in the file's scan order, and the tables
// derived from it once the speed units are known.
struct RouteData {
  // Header.
  std::string LineName;
  std::string LineName2;
  int StartPos = 0;
  std::string StafTimetable;
  std::string StafPicture;
  std::string StafSubDisplay;
  Fixed4 Friction;
  std::vector<int> MovieStop = tableOf<int>(RouteCapacity::MovieStop);
  int MovieStopCount = 0;
  std::vector<MovieSwitchData> MovieSwitch = tableOf<MovieSwitchData>(RouteCapacity::MovieSwitch);
  int MovieSwitchCount = 0;
  std::vector<int> Speed_Signal = tableOf<int>(RouteCapacity::Speed_Signal);
  int Speed_SignalCount = 0;
  std::string DataName;
  long double PerspectiveDistance = 0;  // m
  int HorizonHeight = 0;                // pixels
  int PreTrainStart = 0;
  int PreTrainLimit = 0;
  std::vector<PreTrainData> PreTrain = tableOf<PreTrainData>(RouteCapacity::PreTrain);
  int PreTrainCount = 0;
  int OneMan = 0;
  int OneMan2 = 0;
  std::vector<std::string> SoundData = tableOf<std::string>(RouteCapacity::SoundData);
  int SoundDataCount = 0;
  int MonitorLeft = 0;
  int MonitorTop = 0;
  int MonitorPatternWidth = 0;
  int MonitorPatternHeight = 0;
  std::string MonitorPicture;
  std::vector<AnnounceData> Announce = tableOf<AnnounceData>(RouteCapacity::Announce);
  int AnnounceValue = 0;
  int AnnounceCount = 0;  // rows 1 ... AnnounceCount
  std::array<std::string, RouteCapacity::KankoSoundList> KankoSound1;
  std::vector<cab::Kanko> Kanko = tableOf<cab::Kanko>(RouteCapacity::Kanko);
  int KankoCount = 0;

  // Stations, signals and speed checks.
  std::vector<StationData> Station = tableOf<StationData>(RouteCapacity::Rows);
  int StationCount = 0;
  std::vector<SignalData> Signal = tableOf<SignalData>(RouteCapacity::Rows);
  int SignalCount = 0;
  std::vector<std::array<int, 10>> Signal2 = tableOf<std::array<int, 10>>(RouteCapacity::Rows);
  int Signal2Count = 0;
  std::vector<TrafficSignalData> TrafficSignal = tableOf<TrafficSignalData>(RouteCapacity::Rows);
  int TrafficSignalCount = 0;
  std::vector<SpeedLimitData> SpeedLimit = tableOf<SpeedLimitData>(RouteCapacity::Rows);
  int SpeedLimitCount = 0;
  int MaxSpeedCheck = 0;
  std::vector<SpeedCheckData> SpeedCheck1 = tableOf<SpeedCheckData>(RouteCapacity::Rows);
  int SpeedCheck1Count = 0;
  std::vector<SpeedCheckData> SpeedCheck2 = tableOf<SpeedCheckData>(RouteCapacity::Rows);
  int SpeedCheck2Count = 0;
  std::vector<SpeedCheckData> SpeedCheck3 = tableOf<SpeedCheckData>(RouteCapacity::Rows);
  int SpeedCheck3Count = 0;

  // Signal picture position ("[SignalImageList]" line 1).
  int SignalBaseX = 0;
  int SignalBaseY = 0;

  // Track events, sounds and call-outs.
  std::vector<PositionSoundData> Sound = tableOf<PositionSoundData>(RouteCapacity::Rows);
  int SoundCount = 0;
  std::vector<Sound2Data> Sound2 = tableOf<Sound2Data>(RouteCapacity::Rows);
  int Sound2Count = 0;
  std::vector<DopplerData> Doppler = tableOf<DopplerData>(RouteCapacity::Rows);
  int DopplerCount = 0;
  std::vector<TunnelData> Tunnel = tableOf<TunnelData>(RouteCapacity::Rows);
  int TunnelCount = 0;
  std::vector<AttenData> Atten = tableOf<AttenData>(RouteCapacity::Rows);
  int AttenCount = 0;
  int TunnelR = 0;
  std::vector<SlopeData> Slope = tableOf<SlopeData>(RouteCapacity::Rows);
  int SlopeCount = 0;
  std::vector<SignData> Sign = tableOf<SignData>(RouteCapacity::Rows);
  int SignCount = 0;
  std::vector<AnimData> Anim = tableOf<AnimData>(RouteCapacity::Rows);
  int AnimCount = 0;
  std::vector<SignalKankoData> SignalKanko = tableOf<SignalKankoData>(RouteCapacity::Rows);
  int SignalKankoCount = 0;
  std::vector<StationKankoData> StationKanko = tableOf<StationKankoData>(RouteCapacity::Rows);
  int StationKankoCount = 0;
  std::vector<std::string> OtherKanko = tableOf<std::string>(RouteCapacity::CalloutFiles);
  int OtherKankoCount = 0;
  std::vector<std::string> LimitKanko = tableOf<std::string>(RouteCapacity::CalloutFiles);
  int LimitKankoCount = 0;
  std::vector<SpeedUnitData> SpeedUnit = tableOf<SpeedUnitData>(RouteCapacity::SpeedUnit);
  int SpeedUnitCount = 0;
  std::vector<CrossData> Cross = tableOf<CrossData>(RouteCapacity::Cross);
  int CrossCount = 0;
  std::vector<SwitchData> Switch = tableOf<SwitchData>(RouteCapacity::Rows);
  int SwitchCount = 0;
  std::vector<TimeData> Time = tableOf<TimeData>(RouteCapacity::Time);
  int TimeCount = 0;

  // Derived by ConvertRoutePositions: the train-protection points, by position.
  std::vector<ProtectionPointData> ProtectionPoints = tableOf<ProtectionPointData>(RouteCapacity::ProtectionPoints);
  int ProtectionPointCount = 0;
};

}  // namespace cab
