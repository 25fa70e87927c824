#pragma once

#include "core/presentation/info_text/ui_text.h"

namespace cab {

struct StationDisplay;
struct TrainState;

// Takes the texts the controller and the stations keep into the shown texts.
void composeUiText(UiText& ui, const TrainState& train, const StationDisplay& stations);

}  // namespace cab
