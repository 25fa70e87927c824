#include "core/input/handle_keys.h"

#include "core/data/vehicle_spec.h"
#include "core/vehicle/handle_operations.h"
#include "core/vehicle/train_state.h"

namespace cab {

bool handleKey(TrainState& t, const VehicleSpec& v, SoundChannels& sounds, char key) {
  const bool oneHandle = v.Handle == 0;
  const bool twoHandles = v.Handle == 1;
  switch (key) {
    case 'f':
      SetReverser(t, v, sounds, 1);
      return false;
    case 'b':
      SetReverser(t, v, sounds, -1);
      return false;
    case 'n':
      SetReverser(t, v, sounds, 0);
      return false;
    case '8':
      oneHandleTowardPower(t, v);
      break;
    case '2':
      oneHandleTowardBrake(t, v);
      break;
    case '5':
      AllNeutral(t);
      break;
    case '0':
      Emergency(t, v);
      break;
    case 'z':
      if (oneHandle) {
        oneHandleTowardPower(t, v);
        break;
      }
      if (!twoHandles) return false;
      PowerUp(t, v);
      t.suppressStep = 0;
      setPowerPending(t);
      return true;
    case 'a':
      if (oneHandle) {
        oneHandleTowardBrake(t, v);
        break;
      }
      if (!twoHandles) return false;
      PowerDown(t, v);
      setPowerPending(t);
      return true;
    case 'q':
      if (!oneHandle) return false;
      Emergency(t, v);
      break;
    case ',':
    case '.':
    case '/':
      if (!twoHandles) return false;
      if (key == ',')
        BrakeDown(t, v);
      else if (key == '.')
        BrakeUp(t, v);
      else
        brakeHandleEmergency(t, v);
      setBrakePending(t);
      return true;
    default:
      return false;
  }
  setAllPending(t);
  return true;
}

}  // namespace cab
