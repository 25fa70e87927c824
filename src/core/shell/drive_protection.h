#pragma once

namespace cab {

class Drive;

// The train protection's part of a drive (drive_protection.cpp).

// Tick steps: 21 cab signalling, 22 the spot type's bell and the alarm
// timeout, 23 the pattern type, 24 the speed checks, 26 the vigilance
// device, 37 roll-back protection.
bool cabSignallingStep(Drive& d);
bool atsBellStep(Drive& d);
bool patternProtectionStep(Drive& d);
bool speedChecksStep(Drive& d);
bool vigilanceStep(Drive& d);
bool rollBackStep(Drive& d);

// The speed points of "[Signal]" row `row`, run by the signal step.
void signalSpeedPointsStep(Drive& d, int row);

// Every character but carriage return is a control input for the vigilance
// device. The wheel, the game controllers and the easy cab window post
// characters and so come here; the serial controller resets the device on
// each of its messages itself.
void vigilanceCharacter(Drive& d, char key);
// The space key (acknowledge) and the "r" key (reset).
void protectionKey(Drive& d, char key);

// The drive's start and a station jump, once the train stands at its station.
void startProtection(Drive& d);
void jumpProtection(Drive& d);

}  // namespace cab
