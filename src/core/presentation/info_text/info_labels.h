#pragma once

#include <array>
#include <string>

#include "core/presentation/info_text/ui_text.h"

namespace cab {

// The captions of the driving window's information labels Label0 … Label15,
// shown in label mode ("Moji" 1). Label5 is not used.
struct InfoLabels {
  static constexpr int Count = 16;
  std::array<std::string, Count> caption;
};

// While `moji` is 1, sets every caption from its text. The door side shows
// only on one-man routes whose second "[OneMan]" value is 1; the car count
// gives way to the traffic-light text on one-man routes while it is empty.
// Otherwise the labels are hidden and keep their last captions.
void updateInfoLabels(InfoLabels& labels, const UiText& ui, int moji, bool oneMan, int oneMan2);

}  // namespace cab
