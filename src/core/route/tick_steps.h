#pragma once

namespace cab {

class Drive;

// The steps of the simulation tick, numbered in their order.
namespace tick {

// Step 1: the maximum speed of the station section holding the train.
void sectionMaxSpeed(Drive& d);
// Step 2: the preceding train leaves the route.
void preTrainLeaves(Drive& d);
// Step 4: speed and remaining-distance texts.
void speedTexts(Drive& d);
// Step 5: wheel squeal.
void wheelSqueal(Drive& d);
// Step 6: the doors have closed.
void doorClosedDetection(Drive& d);
// Step 7: cab lamps.
void cabLamps(Drive& d);
// Step 8: the clock text.
void clockText(Drive& d);
// Step 9: brake and emergency-brake sounds.
void brakeSounds(Drive& d);
// Step 10: voltmeter and brake-command indicator smoothing.
void needleSmoothing(Drive& d);
// Step 11: compressor governor and main-reservoir charging.
void compressor(Drive& d);
// Step 12: the attenuation factor.
void attenuation(Drive& d);
// Step 13: route-placed sounds.
void routeSounds(Drive& d);
// Step 14: points sounds.
void switchSounds(Drive& d);
// Step 15: overrun announcement.
void overrunAnnouncement(Drive& d);
// Step 16: approach announcements.
void approachAnnouncements(Drive& d);
// Step 17: Doppler sounds.
void dopplerSounds(Drive& d);
// Step 18: gradient queue and grade posts.
void gradients(Drive& d);
// Step 19: signal aspects, images and their ATS points.
void signals(Drive& d);
// Step 20: road traffic signals.
void trafficSignals(Drive& d);
// Step 21: cab-signal over-speed check.
void cabSignalCheck(Drive& d);
// Step 22: ATS bell, acknowledgement and timeout.
void atsBell(Drive& d);
// Step 23: pattern protection.
void patternProtection(Drive& d);
// Step 24: speed-limit approach, limit signs and speed checks.
void speedLimitsAndChecks(Drive& d);
// Step 25: stations: boards, stop zone, arrival, doors, departure, end of run;
// false when a one-man arrival at the last stop ends the tick.
bool stations(Drive& d);
// Step 26: vigilance device.
void vigilanceDevice(Drive& d);
// Step 27: stop bell.
void stopBell(Drive& d);
// Step 28: animations, signs, time boards, level crossings.
void trackImages(Drive& d);
// Step 29: running sounds.
void railSounds(Drive& d);
// Step 30: motor or engine sounds.
void motorSounds(Drive& d);
// Step 31: door-closing counter.
void doorClosingCounter(Drive& d);
// Step 32: video switching; false when the rest of the tick is skipped.
bool videoSwitching(Drive& d);
// Step 33: diesel gear automation and clutch.
void dieselGears(Drive& d);
// Step 34: easy-cab window.
void easyCab(Drive& d);
// Step 35: pattern and limit texts.
void patternTexts(Drive& d);
// Step 36: extra lamps 3, 5 to 7 and the engine start/stop sequence.
void otherLampsAndEngine(Drive& d);
// Step 37: roll-back protection.
void rollBackProtection(Drive& d);
// Step 38: tunnels and the tunnel panel.
void tunnels(Drive& d);
// Step 39: door lamps.
void doorLamps(Drive& d);
// Step 40: resistor-step sound.
void resistorStepSound(Drive& d);
// Step 41: window caption and value display.
void captionAndValueDisplay(Drive& d);
// Step 42: stop-request lamp of one-man operation.
void stopRequestLamp(Drive& d);
// Step 43: automatic door closing above 5 km/h.
void automaticDoorClosing(Drive& d);
// Step 44: the advice text.
void commentary(Drive& d);
// Step 45: joystick scan.
void scanJoystick(Drive& d);
// Step 46: call-out queue.
void playCalloutQueue(Drive& d);
// Step 47: clear the value display's second grid.
void clearValueGrid(Drive& d);
// Step 48: the main window's labels.
void labels(Drive& d);

}  // namespace tick
}  // namespace cab
