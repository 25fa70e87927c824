#include "core/route/protection/spot_bell.h"

#include <cmath>

#include "core/common/rounding.h"
#include "core/data/vehicle_spec.h"
#include "core/route/operation_state.h"
#include "core/route/protection/protection_context.h"
#include "core/route/protection/protection_state.h"
#include "core/sound/sound_channels.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

constexpr int StopWarning = 998;

void bell(TrainState& t, ProtectionState& p, const ProtectionContext& c) {
  const VehicleSpec& v = c.vehicle;
  SoundChannels& sound = c.sound;
  // Repeated every tick: an acknowledgement holds only with the handle at
  // the emergency position (or after a reset).
  if (t.brakeHandle != -v.Brake && v.ATS_Alert == 0 && (p.signalLimit == StopWarning || p.signalLimit == 0)) {
    p.atsAlarm = true;
    p.atsConfirmed = false;
  }
  if (p.atsAlarm && !sound.isPlaying(v.Sound_Ats1)) {
    sound.stop(v.Sound_Ats1);
    sound.stop(v.Sound_Ats2);
    sound.loop(v.Sound_Ats1);
    c.lamps.ats1 = c.lamps.ats2 = true;
    c.lamps.ats3 = false;
    if (p.signalLimit == 0 && !p.atsEmergency) {
      p.atsEmergency = true;
      demandChanged(t, p, c);
    }
  }
  if (p.atsConfirmed && !sound.isPlaying(v.Sound_Ats2)) {
    sound.stop(v.Sound_Ats1);
    if (v.ATS_Cnt == 0)
      sound.loop(v.Sound_Ats2);
    else if (v.ATS_Cnt == 1)
      sound.play(v.Sound_Ats2);
    p.atsConfirmed = false;
    c.lamps.ats1 = c.lamps.ats3 = true;
    c.lamps.ats2 = false;
  }
}

void alarmTimeout(TrainState& t, ProtectionState& p, const ProtectionContext& c) {
  if (!p.atsAlarm) return;
  ++p.atsAlarmTicks;
  if (p.atsAlarmTicks < c.vehicle.ATS_Time * 10 || p.atsEmergency) return;
  p.atsEmergency = true;
  t.powerNotch = 0;
  demandChanged(t, p, c);
  p.atsAlarmTicks = 0;
}

void silenceChime(const ProtectionContext& c) {
  c.sound.stop(c.vehicle.Sound_Ats2);
  c.sound.play(c.vehicle.Sound_Ats3);
  c.lamps.ats3 = false;
}

}  // namespace

void spotTypeBell(TrainState& t, ProtectionState& p, const ProtectionContext& c) {
  if (!p.atsPowerOn) return;
  if (c.vehicle.ATS_Type == 0) bell(t, p, c);
  alarmTimeout(t, p, c);
}

void AtsAcknowledge(const TrainState& t, ProtectionState& p, const ProtectionContext& c) {
  const VehicleSpec& v = c.vehicle;
  if (v.ATS_Type != 0) return;
  // Before a stop signal the chime stops only once the train stands.
  const bool chime = c.sound.isPlaying(v.Sound_Ats2);
  if (chime && (p.signalLimit != StopWarning || Round(t.speed) == 0)) silenceChime(c);
  if (p.atsConfirmed) {
    p.atsConfirmed = false;
    p.atsAlarm = false;
  } else if (p.atsAlarm && t.brakeHandle < 0 && !p.atsEmergency && !(v.BrakeType == 0 && t.brakeHandle == -1)) {
    p.atsAlarm = false;
    p.atsConfirmed = true;
    p.atsAlarmTicks = 0;
  }
}

void AtsReset(TrainState& t, ProtectionState& p, const ProtectionContext& c) {
  const VehicleSpec& v = c.vehicle;
  const bool standing = std::fabs(t.speed) < 0.1L;
  const bool emergencyReset = p.atsEmergency && t.brakeHandle == -v.Brake;
  const bool serviceReset = !p.atsEmergency && p.atsServiceBrake && t.brakeHandle <= -1;
  if (!standing || !(emergencyReset || serviceReset)) return;
  p.atsEmergency = p.atsServiceBrake = false;
  p.patternState = 0;
  if (c.sound.isPlaying(v.Sound_Ats1)) c.sound.play(v.Sound_Ats3);
  c.sound.stop(v.Sound_Ats1);
  p.atsConfirmed = true;
  p.atsAlarm = false;
  p.atsAlarmTicks = 0;
  p.signalLimit = 999;
  c.lamps.ats1 = true;
  c.lamps.ats2 = c.lamps.ats3 = false;
  demandChanged(t, p, c);
}

}  // namespace cab
