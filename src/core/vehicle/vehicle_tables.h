#pragma once

#include <string>

#include "core/data/vehicle_spec.h"

namespace cab {

// Row access into the vehicle's tables by the numbers the controls use
// (notch 1 … "[Power]", gear from 0, hold-back step from 1).
inline const NotchRow& notchRow(const VehicleSpec& v, int notch) {
  return v.Notch.at(static_cast<std::size_t>(notch - 1));
}

// The power mode of a notch; a notch outside the table belongs to no mode.
inline int notchMode(const VehicleSpec& v, int notch) {
  if (notch < 1 || notch > static_cast<int>(v.Notch.size())) return -1;
  return notchRow(v, notch).mode;
}

// Row index (from 0) of the first notch of a power mode.
inline int modeFirstNotch(const VehicleSpec& v, int mode) {
  if (mode <= 0 || mode >= static_cast<int>(v.NotchModeStart.size())) return 0;
  return v.NotchModeStart[static_cast<std::size_t>(mode)];
}

// First (0) or second (1) name of a power mode; empty for a mode without a name.
inline std::string powerModeName(const VehicleSpec& v, int mode, int which) {
  if (mode < 0 || mode >= v.PowerModeCount || mode >= static_cast<int>(v.PowerMode.size())) return {};
  const auto& m = v.PowerMode[static_cast<std::size_t>(mode)];
  return which == 0 ? m.first : m.second;
}

inline const EngineRow& engineRow(const VehicleSpec& v, int gear) {
  return v.Engine.at(static_cast<std::size_t>(gear));
}

inline const CurrentPRow& currentPRow(const VehicleSpec& v, int row) {
  return v.CurrentP.at(static_cast<std::size_t>(row));
}

inline const CurrentBRow& currentBRow(const VehicleSpec& v, int row) {
  return v.CurrentB.at(static_cast<std::size_t>(row));
}

// The dynamic-brake current setting of a brake step; 0 beyond the list.
inline int brakeCurrentSetting(const VehicleSpec& v, int step) {
  if (step < 0 || step >= static_cast<int>(v.BrakeCurr.size())) return 0;
  return v.BrakeCurr[static_cast<std::size_t>(step)];
}

// The highest dynamic-brake row usable at a hold-back step (from 1).
inline int suppressLimit(const VehicleSpec& v, int step) {
  if (step < 1 || step > v.SuppressCount || step > static_cast<int>(v.Suppress.size())) return 0;
  return v.Suppress[static_cast<std::size_t>(step - 1)];
}

// The first (0) or second (1) channel of a brake-sound table row for brake
// step `step` (from 1); -1 when the table has no such row.
template <typename Table>
int brakeSoundChannel(const Table& table, int step, int list) {
  if (step < 1 || step > static_cast<int>(table.size())) return -1;
  const SoundPair& row = table[static_cast<std::size_t>(step - 1)];
  return list == 0 ? row.first : row.second;
}

// The power-sound channel of row `row` of a power-sound table; -1 beyond it.
template <typename Table>
int powerSoundChannel(const Table& table, int row) {
  if (row < 0 || row >= static_cast<int>(table.size())) return -1;
  return table[static_cast<std::size_t>(row)];
}

}  // namespace cab
