// The drive's one entry point: each event goes to its handler.
#include <algorithm>

#include "core/shell/drive.h"

namespace cab {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

bool Drive::handle(const DriveEvent& event) {
  using namespace drive_event;
  return std::visit(Overloaded{
                        [this](const Frame&) {
                          AppIdle();
                          return true;
                        },
                        [this](const Tick&) {
                          if (timer1Enabled_) Timer1Timer();
                          return true;
                        },
                        [this](const Character& e) {
                          AsciiDown(e.key);
                          return true;
                        },
                        [this](const KeyDown& e) {
                          keydowns(e.code, e.shift);
                          return true;
                        },
                        [this](const KeyUp& e) {
                          keyups(e.code);
                          return true;
                        },
                        [this](const Wheel& e) {
                          if (e.up)
                            WheelU();
                          else
                            WheelD();
                          return true;
                        },
                        [this](const StartPause&) {
                          start1Click();
                          return true;
                        },
                        [this](const CabClick&) {
                          movieclick();
                          return true;
                        },
                        [this](const Move& e) {
                          const bool offered =
                              std::any_of(moveMenu.begin(), moveMenu.end(),
                                          [&](const MoveMenuItem& item) { return item.station == e.station; });
                          if (offered) StationClick(e.station);
                          return offered;
                        },
                        [this](const Back&) {
                          BackClick();
                          return true;
                        },
                        [this](const DisplayMenu& e) {
                          displayClick(e.item);
                          return true;
                        },
                        // A slot outside 1 … 3 is refused.
                        [this](const SaveState& e) {
                          const bool slot = e.slot >= 1 && e.slot <= SaveSlotCount;
                          if (slot) S2Click(e.slot);
                          return slot;
                        },
                        [this](const LoadState& e) {
                          const bool slot = e.slot >= 1 && e.slot <= SaveSlotCount;
                          if (slot) L1Click(e.slot);
                          return slot;
                        },
                    },
                    event);
}

std::optional<long double> Drive::nextDeadline() const {
  if (!timer1Enabled_ || closed_) return std::nullopt;
  return timing.lastFrame + FrameTiming::FramePeriodMs / 1000;
}

}  // namespace cab
