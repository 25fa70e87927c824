#include "core/route/operation_state.h"

namespace cab {

bool blinkPhase(int tickCount, bool lit) {
  if (tickCount % 10 == 5) return false;
  if (tickCount % 10 == 0) return true;
  return lit;
}

}  // namespace cab
