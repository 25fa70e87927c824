#pragma once

namespace cab {

class RecordFileReader;
struct RouteData;

// Tests the current line against the keys of the stations, signals and speed
// checks, in their scan order, and reads the matching tables.
void testStationAndSignalKeys(RecordFileReader& r, RouteData& route);

// The sound, tunnel, gradient and sign tables and the call-out tables, up to
// "[LimitKanko]".
void testTrackEventKeys(RecordFileReader& r, RouteData& route);

// "[SpeedUnit]" and the tables after it ("[Cross]", "[Switch]", "[Time]").
void testSpeedUnitAndLaterKeys(RecordFileReader& r, RouteData& route);

// Reads the "[SpeedUnit]" rows after its key line. The count is kept up to
// date row by row, so rows read before a failure stay counted.
void readSpeedUnitRows(RecordFileReader& r, RouteData& route);

}  // namespace cab
