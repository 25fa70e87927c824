#include "core/shell/drive_texts.h"

#include "core/presentation/info_text/advice.h"
#include "core/presentation/info_text/commentary.h"
#include "core/presentation/info_text/compose_ui_text.h"
#include "core/presentation/info_text/information_lines.h"
#include "core/presentation/info_text/speed_distance_text.h"
#include "core/shell/drive.h"

namespace cab {

namespace {

AdviceInputs adviceInputs(Drive& d) {
  AdviceInputs in;
  in.speed = d.train.speed;
  in.frame = d.train.frame;
  in.powerHandle = d.train.powerHandle;
  in.doorsOpen = d.train.doorsOpen;
  in.doorSide = d.train.doorSide;
  in.oneMan = d.doorSpec.oneMan;
  in.videoSwitchState = d.video.videoSwitchState;
  in.atsOption = d.options.ATS;
  if (const auto stops = d.movieStops(); !stops.empty()) in.firstMovieStop = stops.front();
  ProtectionAdvice& p = in.protection;
  p.powerOn = d.protection.atsPowerOn;
  p.emergency = d.protection.atsEmergency;
  p.serviceBrake = d.protection.atsServiceBrake;
  p.alarmTimeSeconds = d.vehicle.ATS_Time;
  p.chimePlaying = d.sound->isPlaying(d.vehicle.Sound_Ats2);
  in.shownSignalImage = d.signalState.shownSignalImage;
  in.remainingDistance = d.stationState.remainingDistance;
  in.engineStopped = d.train.engineRunning == 0;
  return in;
}

}  // namespace

void refreshUiText(Drive& d) { composeUiText(d.uiText, d.train, d.stationState.display); }

bool speedAndDistanceStep(Drive& d) {
  speedAndDistanceTexts(d.uiText, d.train.speed, d.stationState.remainingDistance);
  return true;
}

// The protection's braking pattern and the limits and checks ahead that the
// approach of this tick found within braking distance.
bool informationLinesStep(Drive& d) {
  InformationInputs in;
  in.speed = d.train.speed;
  in.position = d.train.position;
  const ProtectionState& p = d.protection;
  in.pattern = PatternAhead{p.patternSpeed, p.patternPosition, static_cast<long double>(p.brakePattern)};
  const SpeedLimitInformation& ahead = d.speedLimits.information;
  const auto speedAhead = [](const std::optional<LimitAhead>& a) -> std::optional<SpeedAhead> {
    if (!a) return std::nullopt;
    return SpeedAhead{a->limit, a->metres};
  };
  in.limit = speedAhead(ahead.limit);
  in.check = speedAhead(ahead.check);
  in.followingLimit = ahead.followingLimit;
  informationLines(d.uiText, in, d.strings.InfoLabel);
  return true;
}

// A new commentary makes the frame loop fetch and draw the picture again.
bool commentaryStep(Drive& d) {
  const std::string result = adviceResult(adviceInputs(d), d.stations(), d.stationState.inZone, d.strings.InfoLabel);
  if (updateCommentary(d.uiText, result)) d.video.shownFrame = d.train.frame - 1;
  return true;
}

bool infoLabelsStep(Drive& d) {
  refreshUiText(d);
  updateInfoLabels(d.infoLabels, d.uiText, d.options.Moji, d.doorSpec.oneMan, d.route.OneMan2);
  return true;
}

}  // namespace cab
