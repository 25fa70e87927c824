// The signals and the preceding train: the drive hands them the route's
// signal rows, the stations' departures, the video's switch state and the
// vehicle's protection type.
#include "core/shell/drive_signals.h"

#include "core/route/signals/preceding_train.h"
#include "core/route/signals/signal_picture_check.h"
#include "core/route/signals/signal_step.h"
#include "core/shell/drive.h"
#include "core/shell/drive_protection.h"

namespace cab {

namespace {

int patternCount(const SpriteModel& sprites, SpriteId id) {
  return id < 0 ? 0 : sprites.image(sprites.sprite(id).image).patternCount();
}

std::span<const AspectTranslation> translations(const Drive& d) {
  return std::span(d.route.Signal2).first(d.signalRows().size());
}

}  // namespace

void startSignals(Drive& d) {
  const OverlaySprites& o = d.overlays.sprites;
  const SignalPictureCounts counts{patternCount(d.sprites, o.signal), patternCount(d.sprites, o.subSignal),
                                   patternCount(d.sprites, o.leftSignal), patternCount(d.sprites, o.rightSignal)};
  checkSignalPictures(d.signalRows(), counts, d.vehicle.ATS_Type, d.vehicle.MaxSpeed);
  startSignals(d.signalState, d.signalRows().size(), d.route.PreTrainStart);
}

void advancePrecedingTrain(Drive& d) {
  const PrecedingTrainStep step{d.train.frame, d.operation.clock, d.strings.videoFrameRate, d.timing.frameMs};
  advancePrecedingTrain(d.signalState, d.route, step);
}

bool precedingTrainLeavesStep(Drive& d) {
  precedingTrainLeaves(d.signalState, d.route);
  return true;
}

bool signalStep(Drive& d) {
  const AspectInputs aspects{
      d.signalRows(),    translations(d),         d.route.Speed_SignalCount - 1, d.signalState.preTrainFrame,
      d.operation.clock, d.stationState.departed, d.video.videoSwitchState};
  const SignalStepInputs in{aspects, d.train.frame, d.vehicle.ATS_Type, d.vehicle.MaxSpeed, d.vehicle.Sound_Atc};
  // protection's speed points of each signal
  const SignalRowHook atRow = [&d](int row) { signalSpeedPointsStep(d, row); };
  signalStep(d.signalState, in, d.operation.lamps, *d.sound, atRow);
  return true;
}

void signalsAfterJump(Drive& d) {
  d.signalState.preTrainFrame = precedingTrainAfterJump(d.route, d.operation.clock);
  d.signalState.prevSignalImage = RedrawSignal;
  d.signalState.overlaySignal = d.signalState.overlayImage = NoSignalShown;
}

}  // namespace cab
