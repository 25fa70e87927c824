#pragma once

#include <array>
#include <string>

namespace cab {

// Captions of the driving window's top-level menu items.
struct MenuCaptions {
  std::string start = "Start";
  std::string move = "Move";
  std::string display = "Display";
  std::string control = "Controller(&C)";
  std::string save = "Save(&S)";
};

// What the settings file holds: video geometry, the video directory, the
// texts that name controller positions, stations and events, menu captions.
struct UiStrings {
  static constexpr int InfoLabelCapacity = 100;

  int videoFrameRate = 0;
  int frameCountFactor = 0;
  int timetableLeft = 0;
  int videoWidth = 0;
  int videoHeight = 0;
  int reserved = 0;
  std::string Path;
  std::string Forward, Neutral, Reverse;
  std::string Stop, Pass, Stop2;
  std::string Neut, Neut2;
  std::string Apply, Hold, Maintain, Remove;
  std::string Hold2, EB, Const, Cars, TC;
  std::array<std::string, 2> Stops;
  std::array<std::string, 2> Doors;
  std::array<std::string, 3> Gears;
  std::array<std::string, InfoLabelCapacity> InfoLabel;
  MenuCaptions menu;
};

}  // namespace cab
