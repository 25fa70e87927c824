#include "headless/run_end.h"

#include <iomanip>
#include <sstream>

namespace cab::headless {

void StopCounter::afterTick(const std::vector<bool>& arrived) {
  for (std::size_t i = 0; i < arrived.size(); ++i) {
    const bool startStation = i == 0 || static_cast<int>(i) == startStation_;
    const bool before = i < arrivedBefore_.size() && arrivedBefore_[i];
    if (arrived[i] && !before && !startStation) ++stops_;
  }
}

void writeEndLine(std::ostream& out, long long tMs, long double positionCm, int stops, EndReason reason) {
  const char* why = "halt";
  switch (reason) {
    case EndReason::Seconds:
      why = "seconds";
      break;
    case EndReason::Script:
      why = "script";
      break;
    case EndReason::Closed:
      why = "closed";
      break;
    case EndReason::Halt:
      break;
  }
  std::ostringstream line;
  line << "end: t_s=" << std::fixed << std::setprecision(3) << static_cast<long double>(tMs) / 1000
       << " position_cm=" << std::setprecision(4) << positionCm << " stops=" << stops << " reason=" << why << '\n';
  out << line.str();
}

}  // namespace cab::headless
