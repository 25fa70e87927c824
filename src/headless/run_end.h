#pragma once

#include <ostream>
#include <vector>

namespace cab::headless {

// Why a run ended: the --seconds limit, the script (its `end` or its last
// action), the drive closing itself, or a halt.
enum class EndReason { Seconds, Script, Closed, Halt };

// Counts the station stops made during a run: the arrivals the station step
// accepts on a tick. The drive's first stop at its start station and the
// arrival a station jump sets are not stops made.
class StopCounter {
 public:
  explicit StopCounter(int startStation) : startStation_(startStation) {}
  // The stations' arrival flags before and after a tick.
  void beforeTick(const std::vector<bool>& arrived) { arrivedBefore_ = arrived; }
  void afterTick(const std::vector<bool>& arrived);
  int stops() const { return stops_; }

 private:
  int startStation_;
  std::vector<bool> arrivedBefore_;
  int stops_ = 0;
};

// The run's closing line:
// "end: t_s=X position_cm=X stops=N reason=seconds|script|closed|halt".
void writeEndLine(std::ostream& out, long long tMs, long double positionCm, int stops, EndReason reason);

}  // namespace cab::headless
