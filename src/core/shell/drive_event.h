#pragma once

#include <variant>

#include "core/shell/display_menu.h"

namespace cab {

// Everything that can happen to a drive. Every host (the driving window, the
// headless runner, device mappers) hands these to Drive::handle.
namespace drive_event {
struct Frame {};  // the program is idle: a frame runs when one is due
struct Tick {};   // the 100 ms timer
struct Character {
  char key;
};
struct KeyDown {
  int code;  // virtual-key code
  bool shift = false;
};
struct KeyUp {
  int code;
};
struct Wheel {
  bool up;  // up toward brake, down toward power
};
struct StartPause {};  // the "Start" menu item
struct CabClick {};    // a click on the cab view
struct Move {          // a "Move" menu item
  int station;
};
struct Back {};  // the back button
struct DisplayMenu {  // a checked item of the "Display" menu
  DisplayItem item;
};
struct SaveState {  // "Save1" … "Save3" of the "Save" menu
  int slot;
};
struct LoadState {  // "Load1" … "Load3"
  int slot;
};
}  // namespace drive_event

using DriveEvent = std::variant<drive_event::Frame, drive_event::Tick, drive_event::Character, drive_event::KeyDown,
                                drive_event::KeyUp, drive_event::Wheel, drive_event::StartPause, drive_event::CabClick,
                                drive_event::Move, drive_event::Back, drive_event::DisplayMenu,
                                drive_event::SaveState, drive_event::LoadState>;

}  // namespace cab
