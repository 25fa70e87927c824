#include "core/route/simulation_tick.h"

#include <exception>

#include "core/platform/dialogs.h"
#include "core/route/tick_steps.h"
#include "core/shell/drive.h"

namespace cab {

namespace {

void showFailure(Dialogs& dialogs, const std::exception& e) { dialogs.message(e.what()); }

// Steps 44 to 47: their failure does not keep the labels from being updated.
void runLateSteps(Drive& d, Dialogs& dialogs) {
  try {
    tick::commentary(d);
    tick::scanJoystick(d);
    tick::playCalloutQueue(d);
    tick::clearValueGrid(d);
  } catch (const std::exception& e) {
    showFailure(dialogs, e);
  }
}

}  // namespace

bool blinkPhase(int tickCount, bool lit) {
  if (tickCount % 10 == 5) return false;
  if (tickCount % 10 == 0) return true;
  return lit;
}

void Timer1Timer(Drive& d, Dialogs& dialogs) {
  tick::sectionMaxSpeed(d);
  try {
    tick::preTrainLeaves(d);
    ++d.operation.tickCount;
    tick::speedTexts(d);
    tick::wheelSqueal(d);
    tick::doorClosedDetection(d);
    tick::cabLamps(d);
    tick::clockText(d);
    tick::brakeSounds(d);
    tick::needleSmoothing(d);
    tick::compressor(d);
    tick::attenuation(d);
    tick::routeSounds(d);
    tick::switchSounds(d);
    tick::overrunAnnouncement(d);
    tick::approachAnnouncements(d);
    tick::dopplerSounds(d);
    tick::gradients(d);
    tick::signals(d);
    tick::trafficSignals(d);
    tick::cabSignalCheck(d);
    tick::atsBell(d);
    tick::patternProtection(d);
    tick::speedLimitsAndChecks(d);
    if (!tick::stations(d)) return;
    tick::vigilanceDevice(d);
    tick::stopBell(d);
    tick::trackImages(d);
    tick::railSounds(d);
    tick::motorSounds(d);
    tick::doorClosingCounter(d);
    if (!tick::videoSwitching(d)) return;
    tick::dieselGears(d);
    tick::easyCab(d);
    tick::patternTexts(d);
    tick::otherLampsAndEngine(d);
    tick::rollBackProtection(d);
    tick::tunnels(d);
    tick::doorLamps(d);
    tick::resistorStepSound(d);
    tick::captionAndValueDisplay(d);
    tick::stopRequestLamp(d);
    tick::automaticDoorClosing(d);
    runLateSteps(d, dialogs);
    tick::labels(d);
  } catch (const std::exception& e) {
    showFailure(dialogs, e);
  }
}

}  // namespace cab
