#include "core/route/signals/signal_step.h"

#include <cstddef>

#include "core/route/operation_state.h"
#include "core/route/signals/signal_images.h"
#include "core/route/signals/signal_state.h"
#include "core/sound/sound_channels.h"

namespace cab {

namespace {

constexpr int CabSignalling = 2;
constexpr int FirstCabSignalImage = 35;
constexpr int PassedFrames = 20;

bool inView(const SignalData& row, int frame) { return row.startFrame <= frame && frame < row.positionFrame; }
bool justPassed(const SignalData& row, int frame) {
  return row.positionFrame <= frame && frame < row.positionFrame + PassedFrames;
}

void setUpShownSignal(SignalState& s, const SignalData& row, const SignalStepInputs& in, CabLamps& lamps,
                      SoundChannels& sounds) {
  if (s.shownSignalImage == s.prevSignalImage) return;
  if (in.atsType == CabSignalling) {
    if (in.cabSignalSound >= 0) sounds.restart(in.cabSignalSound);
    lamps.cabLimit = s.shownSignalImage >= FirstCabSignalImage;
    if (lamps.cabLimit) lamps.cabLimitFrame = s.shownSignalImage - FirstCabSignalImage;
  }
  s.prevSignalImage = s.shownSignalImage;
  s.shownSignalSub = row.subSignal;
  s.overlaySignal = s.shownSignal;
  s.overlayImage = s.shownSignalImage;
}

void clearPassedSignal(SignalState& s, int atsType) {
  s.shownSignal = NoSignalShown;
  s.shownSignalSub = NoSignalShown;
  s.overlaySignal = s.overlayImage = NoSignalShown;
  // The cab signal keeps the last signal's picture until the next one.
  if (atsType != CabSignalling) s.shownSignalImage = s.prevSignalImage = NoSignalShown;
}

}  // namespace

void signalStep(SignalState& s, const SignalStepInputs& in, CabLamps& lamps, SoundChannels& sounds,
                const SignalRowHook& atRow) {
  computeAspects(in.aspects, s.aspect);
  const auto rows = in.aspects.rows;
  s.imageIndex.assign(rows.size(), 0);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SignalData& row = rows[i];
    const int aspect = s.aspect[i];
    s.imageIndex[i] = distantSignalImage(aspect);
    if (inView(row, in.trainFrame)) {
      s.imageIndex[i] = signalImage(row.headType, aspect, in.maxSpeedKmh);
      s.shownSignalImage = s.imageIndex[i];
      s.shownSignal = static_cast<int>(i);
      setUpShownSignal(s, row, in, lamps, sounds);
    }
    if (atRow) atRow(static_cast<int>(i));
    if (justPassed(row, in.trainFrame)) clearPassedSignal(s, in.atsType);
  }
}

}  // namespace cab
