#include "core/route/tick_steps.h"

#include "core/shell/drive.h"

namespace cab::tick {

// Steps whose subsystems are not built yet do nothing; each moves to its
// subsystem's file when that is built.

void preTrainLeaves(Drive&) {}
void speedTexts(Drive&) {}
void wheelSqueal(Drive&) {}
void brakeSounds(Drive&) {}
void attenuation(Drive&) {}
void routeSounds(Drive&) {}
void switchSounds(Drive&) {}
void overrunAnnouncement(Drive&) {}
void approachAnnouncements(Drive&) {}
void dopplerSounds(Drive&) {}
void gradients(Drive&) {}
void signals(Drive&) {}
void trafficSignals(Drive&) {}
void cabSignalCheck(Drive&) {}
void atsBell(Drive&) {}
void patternProtection(Drive&) {}
void speedLimitsAndChecks(Drive&) {}
void vigilanceDevice(Drive&) {}
void trackImages(Drive&) {}
void railSounds(Drive&) {}
void motorSounds(Drive&) {}
bool videoSwitching(Drive& d) { return d.switchMovieStep(); }
void easyCab(Drive&) {}
void patternTexts(Drive&) {}
void rollBackProtection(Drive&) {}
void tunnels(Drive&) {}
void resistorStepSound(Drive&) {}
// The value display window's refresh joins the caption when that window exists.
void captionAndValueDisplay(Drive& d) {
  if (d.caption() == ProgramCaption) d.setCaption(d.route.LineName);
}
void stopRequestLamp(Drive&) {}
void commentary(Drive&) {}
void scanJoystick(Drive&) {}
void playCalloutQueue(Drive&) {}
void clearValueGrid(Drive&) {}
void labels(Drive&) {}

}  // namespace cab::tick
