// The running and environment sounds of a drive: loaded with its data, kept
// in step with the train by the tick, and the sounds of the keys the driver
// holds, sampled every frame.
#include "core/shell/drive_sounds.h"

#include "core/data/rows_in_use.h"
#include "core/data/sound_bank_loader.h"
#include "core/input/key_codes.h"
#include "core/platform/status_sink.h"
#include "core/route/callouts/announcements.h"
#include "core/route/running_sounds/brake_sounds.h"
#include "core/route/running_sounds/held_key_sounds.h"
#include "core/route/running_sounds/motor_sounds.h"
#include "core/route/running_sounds/rail_noise.h"
#include "core/route/running_sounds/route_placed_sounds.h"
#include "core/shell/drive.h"

namespace cab {

void Drive::loadSounds() {
  soundBank = loadSoundBank(SoundSources{data_, request_.vehicleDirectory, vehicle, route}, *sound, platform_.status);
  // The stations time their stops by the route sounds' lengths.
  routeSounds.firstChannel = soundBank.routeBase();
  routeSounds.seconds = soundBank.envSeconds;
}

bool wheelSquealStep(Drive& d) {
  wheelSqueal(d.train, d.vehicle, *d.sound);
  return true;
}

bool brakeAirSoundsStep(Drive& d) {
  brakeAirSounds(d.train, d.vehicle, d.protection.flags(), d.runningSounds, *d.sound);
  return true;
}

bool attenuationStep(Drive& d) {
  attenuationZones(rowsInUse(d.route.Atten, d.route.AttenCount), d.train.frame, d.runningSounds);
  return true;
}

bool routePlacedSoundsStep(Drive& d) {
  routePlacedSounds(rowsInUse(d.route.Sound, d.route.SoundCount), d.train, d.soundBank.routeBase(), d.runningSounds,
                    *d.sound);
  return true;
}

bool pointsSoundsStep(Drive& d) {
  pointsSounds(rowsInUse(d.route.Switch, d.route.SwitchCount),
               rowsInUse(d.vehicle.SwitchSound, d.vehicle.SwitchSoundCount), d.train, d.runningSounds, *d.sound);
  return true;
}

bool dopplerSoundsStep(Drive& d) {
  dopplerSounds(rowsInUse(d.route.Doppler, d.route.DopplerCount), d.train, d.stationState.departed,
                d.soundBank.routeBase(), *d.sound);
  return true;
}

bool railNoiseStep(Drive& d) {
  railNoise(d.train, d.runningSounds, *d.sound);
  return true;
}

// Electric vehicles ("[Engine_Type]" 1) have traction motors, the others a
// diesel engine.
bool motorSoundsStep(Drive& d) {
  if (d.vehicle.Engine_Type == 1)
    electricMotorSounds(d.train, d.vehicle, d.protection.flags(), d.soundBank, d.runningSounds, *d.sound);
  else if (d.vehicle.Engine_Type == 0)
    dieselEngineSounds(d.train, d.vehicle, d.stationState.doorClosingTicks, d.soundBank, d.runningSounds, *d.sound);
  return true;
}

bool resistorStepSoundStep(Drive& d) {
  resistorStepSound(d.train, d.vehicle, *d.sound);
  return true;
}

void heldKeySounds(Drive& d) {
  const auto down = [&](char key) { return d.keys.isDown(key) || d.keys.isDown(vk::Numpad0 + (key - '0')); };
  const HeldSoundKeys keys{down('3'), down('6'), down('4')};
  heldHorns(keys, d.vehicle, d.operation.clock, d.horns, *d.sound);
  hornAir(keys, d.vehicle, d.train, d.horns);
  if (d.vehicle.KEY4 == "H") {
    hastenChime(keys.key4, d.train.doorsOpen, d.vehicle, *d.sound);
  } else if (d.vehicle.KEY4 == "B") {
    const StationTable stations(d.stations());
    const AnnouncementSources sources{d.route, stations, d.routeSounds, *d.sound};
    conductorBuzzer(keys.key4, sources, d.soundBank, d.vehicle.Buzzer, d.callouts);
  }
}

}  // namespace cab
