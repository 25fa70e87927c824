#include "core/presentation/info_text/advice.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "core/common/rounding.h"

namespace cab {

namespace {

// The "[InfoLabel]" entries of the advice texts, by the situation they address.
enum AdviceText {
  OpenSide1WrongText = 8,  // the platform is on side 0, side 1 chosen
  OpenSide0WrongText = 9,  // the platform is on side 1, side 0 chosen
  VideoSwitchPowerText = 10,
  PatternBrakeRunningText = 11,
  EmergencyText = 12,
  EmergencyStoppedText = 13,
  PatternBrakeStoppedText = 14,
  AlarmTimeText = 15,
  VigilanceText = 16,
  CautionSignalText = 17,
  ReducedSignalText = 18,
  RestrictedSignalText = 19,
  StopBellText = 20,
  ProtectionOffText = 22,
  MovieStopText = 23,
  ChimeText = 25
};

constexpr const char* EngineStallAdvice = "0エンストしました。変速レバーを変速段に入れてエンジンを再始動してください。";

// A result naming an advice text: "0" followed by its "[InfoLabel]" entry.
class Advice {
 public:
  explicit Advice(std::span<const std::string> labels) : labels_(labels) {}
  std::string operator()(int i) const {
    return "0" + (i < static_cast<int>(labels_.size()) ? labels_[i] : std::string());
  }

 private:
  std::span<const std::string> labels_;
};

bool oneOf(int image, std::initializer_list<int> images) {
  return std::find(images.begin(), images.end(), image) != images.end();
}

// At a one-man stop, standing with the doors closed: whether the chosen door
// side is the platform's.
void doorSideAdvice(std::string& r, const AdviceInputs& in, std::int64_t s, std::span<const StationData> stations,
                    const std::vector<bool>& inZone, const Advice& advice) {
  if (in.doorsOpen || s >= 1 || !in.oneMan) return;
  for (std::size_t i = 0; i < stations.size() && i < inZone.size(); ++i) {
    if (stations[i].trntype != 0 || !inZone[i]) continue;
    const int platform = stations[i].person;
    if (platform == 0 && in.doorSide == 1)
      r = advice(OpenSide1WrongText);
    else if (platform == 1 && in.doorSide == 0)
      r = advice(OpenSide0WrongText);
    else
      r = "0";
  }
}

// The protection's brakes and alarms, else the signal ahead and the stop bell.
void drivingAdvice(std::string& r, const AdviceInputs& in, std::int64_t s, const Advice& advice) {
  const ProtectionAdvice& p = in.protection;
  if (p.emergency) {
    if ((p.alarm && s != 0) || p.patternState >= 2)
      r = advice(EmergencyText);
    else if (s == 0)
      r = advice(EmergencyStoppedText);
  } else if (p.serviceBrake) {
    if (p.patternState >= 2) r = advice(s != 0 ? PatternBrakeRunningText : PatternBrakeStoppedText);
  } else if (p.chimePlaying && s == 0) {
    r = advice(ChimeText);
  } else if (p.alarm && p.powerOn && p.alarmTimeSeconds > 0) {
    r = advice(AlarmTimeText);
  } else if (p.vigilanceTicks > 600) {
    r = advice(VigilanceText);
  } else {
    const int image = in.shownSignalImage;
    if (oneOf(image, {8, 11, 14, 19, 23, 27, 31}) && s > 55) r = advice(CautionSignalText);
    if (oneOf(image, {15, 24}) && s > 75) r = advice(ReducedSignalText);
    if (oneOf(image, {18, 22}) && s > 25) r = advice(RestrictedSignalText);
    // Too fast for the stop ahead: the stop bell's condition, far enough out.
    const long double v = in.speed;
    const long double d = in.remainingDistance;
    if (v / 5 * v / 3.6L > d / 100 - 125 && d > 25000) {
      const std::string text = advice(StopBellText);
      r = r.empty() ? text : r + text.substr(1);
    }
  }
}

}  // namespace

std::string adviceResult(const AdviceInputs& in, std::span<const StationData> stations, const std::vector<bool>& inZone,
                         std::span<const std::string> infoLabels) {
  const Advice advice(infoLabels);
  const std::int64_t s = Round(in.speed);
  std::string r;
  doorSideAdvice(r, in, s, stations, inZone, advice);
  if (in.videoSwitchState == 1 && in.powerHandle > 0) r = advice(VideoSwitchPowerText);
  if (!in.protection.powerOn && in.atsOption == 0 && in.powerHandle > 1) r = advice(ProtectionOffText);
  if (const auto stop = in.firstMovieStop; s == 0 && stop && in.frame > *stop - 200 && in.frame <= *stop)
    r = advice(MovieStopText);
  drivingAdvice(r, in, s, advice);
  if (in.powerHandle > 0 && in.engineStopped && s == 0) r = EngineStallAdvice;
  return r;
}

}  // namespace cab
