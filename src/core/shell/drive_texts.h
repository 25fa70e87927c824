#pragma once

namespace cab {

class Drive;

// The drive's side of the information texts: the shown texts taken from the
// subsystems, and the tick steps that write the rest.
void refreshUiText(Drive& d);
bool speedAndDistanceStep(Drive& d);
bool informationLinesStep(Drive& d);
bool commentaryStep(Drive& d);
bool infoLabelsStep(Drive& d);

}  // namespace cab
