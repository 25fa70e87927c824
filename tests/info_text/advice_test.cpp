#include "core/presentation/info_text/advice.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/info_text/info_labels_for_tests.h"

namespace cab {
namespace {

constexpr const char* Stall = "0エンストしました。変速レバーを変速段に入れてエンジンを再始動してください。";

// A one-man stop: station 1 (a stop, platform on side `person`) has the
// train in its stop zone; station 0 is a passing station, also flagged.
struct AdviceScene {
  AdviceInputs in;
  std::vector<StationData> stations = std::vector<StationData>(3);
  std::vector<bool> inZone = std::vector<bool>(3, false);

  void standAtOneManStop(int person, int doorSide) {
    in.oneMan = true;
    in.doorSide = doorSide;
    stations[1].person = person;
    inZone[1] = true;
  }
};

struct AdviceCase {
  const char* name;
  std::function<void(AdviceScene&)> setup;
  std::string result;
};

void check(const std::vector<AdviceCase>& cases) {
  const auto labels = testing::numberedInfoLabels();
  for (const auto& c : cases) {
    AdviceScene scene;
    scene.stations[0].trntype = 1;
    c.setup(scene);
    EXPECT_EQ(adviceResult(scene.in, scene.stations, scene.inZone, labels), c.result) << c.name;
  }
}

TEST(Advice, DoorSideAtAOneManStop) {
  check({
      {"nothing to say", [](AdviceScene&) {}, ""},
      {"platform on side 0, side 1 chosen", [](AdviceScene& s) { s.standAtOneManStop(0, 1); }, "0I8"},
      {"platform on side 1, side 0 chosen", [](AdviceScene& s) { s.standAtOneManStop(1, 0); }, "0I9"},
      {"the right side: a result without text", [](AdviceScene& s) { s.standAtOneManStop(0, 0); }, "0"},
      {"0.5 km/h rounds to a standstill",
       [](AdviceScene& s) {
         s.standAtOneManStop(0, 1);
         s.in.speed = 0.5L;
       },
       "0I8"},
      {"still moving",
       [](AdviceScene& s) {
         s.standAtOneManStop(0, 1);
         s.in.speed = 0.6L;
       },
       ""},
      {"doors open",
       [](AdviceScene& s) {
         s.standAtOneManStop(0, 1);
         s.in.doorsOpen = true;
       },
       ""},
      {"with a conductor",
       [](AdviceScene& s) {
         s.standAtOneManStop(0, 1);
         s.in.oneMan = false;
       },
       ""},
      {"a passing station's zone",
       [](AdviceScene& s) {
         s.standAtOneManStop(0, 1);
         s.inZone = {true, false, false};
       },
       ""},
  });
}

TEST(Advice, VideoSwitchProtectionPowerAndMovieStop) {
  check({
      {"power during a station video",
       [](AdviceScene& s) {
         s.in.videoSwitchState = 1;
         s.in.powerHandle = 1;
       },
       "0I10"},
      {"a station video without power", [](AdviceScene& s) { s.in.videoSwitchState = 1; }, ""},
      {"power 2 with the protection off",
       [](AdviceScene& s) {
         s.in.protection.powerOn = false;
         s.in.powerHandle = 2;
       },
       "0I22"},
      {"power 1 with the protection off",
       [](AdviceScene& s) {
         s.in.protection.powerOn = false;
         s.in.powerHandle = 1;
       },
       ""},
      {"protection off by the ATS option",
       [](AdviceScene& s) {
         s.in.protection.powerOn = false;
         s.in.atsOption = 1;
         s.in.powerHandle = 2;
       },
       ""},
      {"protection off overrides the video switch",
       [](AdviceScene& s) {
         s.in.videoSwitchState = 1;
         s.in.protection.powerOn = false;
         s.in.powerHandle = 3;
       },
       "0I22"},
      {"standing 199 frames before the movie stop",
       [](AdviceScene& s) {
         s.in.firstMovieStop = 1000;
         s.in.frame = 801;
       },
       "0I23"},
      {"standing on the movie stop",
       [](AdviceScene& s) {
         s.in.firstMovieStop = 1000;
         s.in.frame = 1000;
       },
       "0I23"},
      {"200 frames before the movie stop",
       [](AdviceScene& s) {
         s.in.firstMovieStop = 1000;
         s.in.frame = 800;
       },
       ""},
      {"past the movie stop",
       [](AdviceScene& s) {
         s.in.firstMovieStop = 1000;
         s.in.frame = 1001;
       },
       ""},
      {"moving near the movie stop",
       [](AdviceScene& s) {
         s.in.firstMovieStop = 1000;
         s.in.frame = 900;
         s.in.speed = 3;
       },
       ""},
  });
}

// Exactly one group speaks: the emergency brake, else the pattern brake,
// else the alarms, else the signal and the stop ahead.
TEST(Advice, ProtectionBrakesAndAlarms) {
  check({
      {"emergency with the bell, moving",
       [](AdviceScene& s) {
         s.in.protection.emergency = s.in.protection.alarm = true;
         s.in.speed = 30;
       },
       "0I12"},
      {"emergency by the pattern, standing",
       [](AdviceScene& s) {
         s.in.protection.emergency = true;
         s.in.protection.patternState = 2;
       },
       "0I12"},
      {"emergency, standing", [](AdviceScene& s) { s.in.protection.emergency = true; }, "0I13"},
      {"emergency, moving: the other groups stay silent",
       [](AdviceScene& s) {
         s.in.protection.emergency = true;
         s.in.protection.vigilanceTicks = 700;
         s.in.speed = 30;
       },
       ""},
      {"pattern brake, moving",
       [](AdviceScene& s) {
         s.in.protection.serviceBrake = true;
         s.in.protection.patternState = 2;
         s.in.speed = 20;
       },
       "0I11"},
      {"pattern brake, standing",
       [](AdviceScene& s) {
         s.in.protection.serviceBrake = true;
         s.in.protection.patternState = 3;
       },
       "0I14"},
      {"service brake without a pattern",
       [](AdviceScene& s) {
         s.in.protection.serviceBrake = true;
         s.in.protection.patternState = 1;
         s.in.protection.chimePlaying = true;
       },
       ""},
      {"chime, standing", [](AdviceScene& s) { s.in.protection.chimePlaying = true; }, "0I25"},
      {"chime, moving: the bell with a time-out speaks",
       [](AdviceScene& s) {
         s.in.protection.chimePlaying = s.in.protection.alarm = true;
         s.in.protection.alarmTimeSeconds = 5;
         s.in.speed = 10;
       },
       "0I15"},
      {"bell without a time-out", [](AdviceScene& s) { s.in.protection.alarm = true; }, ""},
      {"bell with the protection off",
       [](AdviceScene& s) {
         s.in.protection.alarm = true;
         s.in.protection.powerOn = false;
         s.in.protection.alarmTimeSeconds = 5;
       },
       ""},
      {"vigilance counter above 600", [](AdviceScene& s) { s.in.protection.vigilanceTicks = 601; }, "0I16"},
      {"vigilance counter at 600", [](AdviceScene& s) { s.in.protection.vigilanceTicks = 600; }, ""},
      {"vigilance wins over the signal",
       [](AdviceScene& s) {
         s.in.protection.vigilanceTicks = 601;
         s.in.shownSignalImage = 8;
         s.in.speed = 60;
       },
       "0I16"},
  });
}

TEST(Advice, SignalAheadAndTheStop) {
  const auto at = [](int image, long double speed) {
    return [=](AdviceScene& s) {
      s.in.shownSignalImage = image;
      s.in.speed = speed;
    };
  };
  const auto stopAhead = [](long double speed, long double cm) {
    return [=](AdviceScene& s) {
      s.in.speed = speed;
      s.in.remainingDistance = cm;
    };
  };
  check({
      {"caution above 55", at(8, 56), "0I17"},
      {"caution at 55", at(31, 55), ""},
      {"caution picture 23 above 55", at(23, 60), "0I17"},
      {"reduced speed above 75", at(24, 76), "0I18"},
      {"reduced speed at 75", at(15, 75), ""},
      {"restricted above 25", at(22, 26), "0I19"},
      {"restricted picture 18 at 25", at(18, 25), ""},
      {"another picture", at(9, 100), ""},
      // 100 km/h needs 100 / 5 × 100 / 3.6 = 556 m, more than 500 − 125.
      {"too fast for the stop", stopAhead(100, 50000), "0I20"},
      {"60 km/h, 200 m needed, 175 m left", stopAhead(60, 30000), "0I20"},
      {"60 km/h, 200 m needed, 275 m left", stopAhead(60, 40000), ""},
      {"within 250 m of the stop", stopAhead(100, 25000), ""},
      {"signal and stop together",
       [](AdviceScene& s) {
         s.in.shownSignalImage = 11;
         s.in.speed = 100;
         s.in.remainingDistance = 50000;
       },
       "0I17I20"},
      {"stop after the video switch advice",
       [](AdviceScene& s) {
         s.in.videoSwitchState = 1;
         s.in.powerHandle = 1;
         s.in.speed = 100;
         s.in.remainingDistance = 50000;
       },
       "0I10I20"},
  });
}

TEST(Advice, EngineStallOverridesEverything) {
  check({
      {"stalled with power on",
       [](AdviceScene& s) {
         s.standAtOneManStop(0, 1);
         s.in.protection.emergency = true;
         s.in.engineStopped = true;
         s.in.powerHandle = 1;
       },
       Stall},
      {"stalled with the handle off",
       [](AdviceScene& s) {
         s.in.engineStopped = true;
         s.in.protection.chimePlaying = true;
       },
       "0I25"},
      {"stalled, still rolling",
       [](AdviceScene& s) {
         s.in.engineStopped = true;
         s.in.powerHandle = 1;
         s.in.speed = 2;
       },
       ""},
  });
}

}  // namespace
}  // namespace cab
