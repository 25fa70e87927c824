#include "core/route/signals/signal_aspects.h"

#include <cstddef>

namespace cab {

namespace {

constexpr int HeldUntilTime = 1;
constexpr int Fixed = 2;
constexpr int Starting = 3;  // and above

bool isRepeater(const SignalData& s) { return s.headType == 0 || s.headType == -1; }

// The row whose block holds the preceding train; 0 when none does.
std::size_t occupiedBlock(std::span<const SignalData> rows, int preTrainFrame) {
  if (preTrainFrame == 0) return 0;
  for (std::size_t i = rows.size(); i-- > 1;)
    if (rows[i - 1].positionFrame < preTrainFrame && preTrainFrame <= rows[i].positionFrame) return i - 1;
  return 0;
}

// Walks back from the signal before `stop`, each translating the aspect ahead
// of it. An aspect a row has no entry for ends the walk.
void translateBehind(const AspectInputs& in, std::size_t stop, std::vector<int>& aspect) {
  int v = 0;
  for (std::size_t i = stop; i-- > 0;) {
    if (v == in.highestAspect) return;
    if (isRepeater(in.rows[i])) {
      aspect[i] = aspect[i + 1];
      continue;
    }
    if (i >= in.translations.size() || v < 0 || v >= static_cast<int>(in.translations[i].size())) return;
    v = in.translations[i][static_cast<std::size_t>(v)];
    aspect[i] = v;
  }
}

bool hasDeparted(const std::vector<bool>& departed, int station) {
  return station >= 0 && static_cast<std::size_t>(station) < departed.size() &&
         departed[static_cast<std::size_t>(station)];
}

int overridden(const SignalData& s, int aspect, const AspectInputs& in) {
  if (s.kind == HeldUntilTime && in.clock < s.time) return s.fixedAspect;
  if (in.videoSwitchState == 1) return s.fixedAspect;
  if (s.kind >= Starting && (!hasDeparted(in.departed, s.switchIdx) || in.clock < s.time)) return s.fixedAspect;
  if (s.overrideAspect != 0) return s.overrideAspect;
  if (s.kind == Fixed) return s.fixedAspect;
  return aspect;
}

}  // namespace

void computeAspects(const AspectInputs& in, std::vector<int>& aspect) {
  aspect.assign(in.rows.size(), in.highestAspect);
  std::size_t s = occupiedBlock(in.rows, in.preTrainFrame);
  while (s > 0 && isRepeater(in.rows[s])) --s;
  if (s > 0) aspect[s] = 0;
  translateBehind(in, s, aspect);
  for (std::size_t i = 0; i < in.rows.size(); ++i) aspect[i] = overridden(in.rows[i], aspect[i], in);
}

}  // namespace cab
