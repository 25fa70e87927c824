#include <cmath>

#include "core/route/stations.h"
#include "core/route/tick_steps.h"
#include "core/route/timetable_clock.h"
#include "core/shell/drive.h"

namespace cab::tick {

void sectionMaxSpeed(Drive& d) { updateSectionMaxSpeed(d.operation, StationTable(d.stations()), d.train.position); }

void clockText(Drive& d) {
  OperationState& o = d.operation;
  timecalc(o.clock, o.clockSecondShown, o.display.clockText);
}

bool stations(Drive& d) {
  const StationTable table(d.stations());
  const StationContext c{table,
                         d.routeSounds,
                         d.strings,
                         d.doorSpec,
                         *d.sound,
                         d.boarding,
                         d.boardingSeed(),
                         d.request().startStation,
                         d.request().endStation,
                         d.video.videoSwitchState,
                         [](int) {},
                         [&d] { d.BackClick(); }};
  return stationStep(d.train, d.operation, c);
}

void stopBell(Drive& d) { cab::stopBell(d.train, d.operation, *d.sound, d.vehicle.Stop); }

void doorLamps(Drive& d) { cab::doorLamps(d.train, d.operation, StationTable(d.stations())); }

void doorClosedDetection(Drive& d) { cab::doorClosedDetection(d.train, d.operation, d.doorSpec, *d.sound); }

void doorClosingCounter(Drive& d) { cab::doorClosingCounter(d.train, d.operation); }

void automaticDoorClosing(Drive& d) { cab::automaticDoorClosing(d.train, d.operation, d.doorSpec, *d.sound); }

}  // namespace cab::tick
