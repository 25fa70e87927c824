#pragma once

// The vehicle file's key groups, each tested against the current line in the
// scan order; shared by the vehicle loader's files only.

#include <string>
#include <string_view>

#include "core/data/record_file_reader.h"
#include "core/data/vehicle_spec.h"

namespace cab {

struct VehicleLoadContext;

namespace vehicle_keys {

// The next line as a value of one key.
inline int nextInt(RecordFileReader& r) { return RecordFileReader::toInt(r.nextLine()); }
inline long double nextReal(RecordFileReader& r) { return RecordFileReader::toReal(r.nextLine()); }
inline Fixed4 nextFixed(RecordFileReader& r) { return RecordFileReader::toFixed(r.nextLine()); }

// A value line that ";" marks as absent.
inline bool absent(const std::string& line) { return !line.empty() && line.front() == ';'; }

// The most steps a handle may have: its sound tables have room for one row a step.
inline constexpr int MostHandleSteps = VehicleSpec::HandleSoundCapacity;

// Why a value of `key` is refused, with what the drive needs: "<key> は <need>が必要です".
inline std::string needs(std::string_view key, std::string_view need) {
  return std::string(key) + " は " + std::string(need) + "が必要です";
}

// Single-value keys of the running gear and brakes.
void testRunningGearKeys(RecordFileReader& r, VehicleSpec& v);
// Handle-sound tables and single sound channels.
void testSoundKeys(RecordFileReader& r, VehicleSpec& v);
// Traction, brake, engine and sound tables.
void testTableKeys(RecordFileReader& r, VehicleSpec& v);
// The cab panel layout; pattern pictures become sprites at once.
void testPanelKeys(RecordFileReader& r, CabLayout& cab, const VehicleLoadContext& context);

}  // namespace vehicle_keys
}  // namespace cab
