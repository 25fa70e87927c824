#include "core/route/signals/signal_state.h"

namespace cab {

void startSignals(SignalState& s, std::size_t signalRows, int preTrainStart) {
  s = SignalState{};
  s.aspect.assign(signalRows, 0);
  s.imageIndex.assign(signalRows, 0);
  s.preTrainFrame = preTrainStart;
}

}  // namespace cab
