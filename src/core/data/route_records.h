#pragma once

#include <array>
#include <string>

#include "core/common/fixed4.h"

namespace cab {

// Rows of the route file's tables. Positions are video frames; the fields
// named ...Distance (and `position`) are centimetres from the start of the
// video, filled by ConvertRoutePositions.

struct MovieSwitchData {
  int swtype = 0;
  int Start = 0;
  int Stop = 0;
  std::string name;
  int endf = 0;
  bool done = false;
  int next = 0;
  int time = 0;
  int soundf = 0;
  int sound = 0;
};

// A departure of the preceding train.
struct PreTrainData {
  int station = 0;  // "[Station]" row whose `tail` frame it stands at
  int speed = 0;    // km/h
  int deptime = 0;  // 1/30 s units from 00:00:00
};

struct AnnounceData {
  int sound = 0;
  int kind = 0;
  int station = 0;
  int offset = 0;  // m
  int kanko = 0;   // "[KankoSound1]" call-out answering the announcement; 0 = none
};

struct Kanko {
  int name = 0;
  std::string filename;
};

struct StationData {
  std::string Name;
  int trntype = 0;
  int Start = 0;
  int genkai = 0;
  int arrsound = 0;
  int depsound = 0;
  int bcksound = 0;
  int deptime = 0;
  int maxspeed = 0;
  int pattern = 0;
  int door = 0;
  int prob = 0;
  int time = 0;
  int person = 0;
  int doorprob = 0;
  int tail = 0;
  int percent = 0;
  int position = 0;
  int position_s = 0;
  int position_e = 0;
};

struct SignalData {
  int kind = 0;
  int subImage = 0;
  int subSignal = 0;
  int headType = 0;
  int startFrame = 0;
  int positionFrame = 0;
  int atsFrame = 0;
  int checkFrame = 0;
  int fixedAspect = 0;
  int time = 0;
  int overrideAspect = 0;
  int switchIdx = 0;
  int mainX = 0;
  int mainY = 0;
  int sub1Image = 0;
  int sub1X = 0;
  int sub1Y = 0;
  int sub2Image = 0;
  int sub2X = 0;
  int sub2Y = 0;
  int sub0X = 0;
  int sub0Y = 0;
  int extraImage = 0;
  int sub1AltImage = 0;
  int sub2AltImage = 0;
};

// One timed phase of a road traffic light.
struct TrafficSignalPhase {
  int image = 0;
  int duration = 0;  // 100 ms ticks
  int stop = 0;      // 1: the phase requires a stop
};

struct TrafficSignalData {
  int positionFrame = 0;
  int startFrame = 0;
  int endFrame = 0;
  std::array<TrafficSignalPhase, 6> phases{};
  int lineFrame = 0;
  int viewEndFrame = 0;
  int imageA = 0;
  int imageB = 0;
  int flag = 0;
  int positionDistance = 0;
  int lineDistance = 0;
  std::array<int, 6> countdown{};
  int phase = 0;
};

struct SpeedLimitData {
  int limit = 0;
  int signImage = 0;
  int pointType = 0;
  int positionFrame = 0;
  int endFrame = 0;
  int endImage = 0;
  int positionDistance = 0;
};

// A row of "[SpeedCheck1]" (which reads `linkedSignal`) or of "[SpeedCheck2]"
// and "[SpeedCheck3]" (which read `endFrame`).
struct SpeedCheckData {
  int limit = 0;
  int checkSpeed = 0;
  int positionFrame = 0;
  int linkedSignal = 0;
  int endFrame = 0;
  int positionDistance = 0;
};

struct SpeedUnitData {
  int frameStart = 0;
  int frameEnd = 0;
  long double speedStart = 0;  // km/h at frameStart
  long double speedEnd = 0;    // km/h at frameEnd
  int distanceEnd = 0;
};

struct ProtectionPointData {
  int position = 0;
  int speed = 0;
  int signal = 0;
  int station = 0;
  int type = 0;  // 2 signal, 3 station stop, else the speed limit's pointType
};

// "[Sound]": a sound bound to a stretch of the line.
struct PositionSoundData {
  int sound = 0;
  int startFrame = 0;
  int endFrame = 0;
  int refSpeed = 0;
  std::array<int, 5> options{};
};

struct Sound2Data {
  int sound = 0;
  int fromStation = 0;
  int toStation = 0;
};

struct DopplerData {
  int sound = 0;
  int positionFrame = 0;
  int range = 0;  // cm
  int fixedPitch = 0;
  int condition = 0;
  int positionDistance = 0;
};

struct TunnelData {
  int startFrame = 0;
  int endFrame = 0;
  int level = 0;
  int startDistance = 0;
  int endDistance = 0;
};

struct AttenData {
  int startFrame = 0;
  int endFrame = 0;
  int unused = 0;
  int percent = 0;
};

struct SlopeData {
  Fixed4 gradient;  // per mille
  int startFrame = 0;
  int endFrame = 0;
};

struct SignData {
  int image = 0;
  int startFrame = 0;
  int endFrame = 0;
  int switchTime = 0;
};

struct AnimData {
  int startFrame = 0;
  int endFrame = 0;
  int interval = 0;
  int baseImage = 0;
};

struct CrossData {
  int image = 0;
  int value2 = 0;
  int startFrame = 0;
  int endFrame = 0;
  int switchIdx = 0;
};

struct SwitchData {
  int positionFrame = 0;
  int switchType = 0;
};

struct SignalKankoData {
  std::array<int, 4> values{};
};

struct StationKankoData {
  std::array<int, 3> values{};
};

struct TimeData {
  int startFrame = 0;
  int endFrame = 0;
  int callout = 0;  // timetable time, 1/30 s units
  bool raised = false;
};

}  // namespace cab
