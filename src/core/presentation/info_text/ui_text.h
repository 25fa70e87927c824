#pragma once

#include <string>

namespace cab {

// The short texts shown to the driver: in the labels beside the cab in label
// mode, otherwise drawn on the video. Every field is empty at the start.
struct UiText {
  std::string reverserText, powerText, brakeText, gearText;  // the controller positions
  std::string stationText, doorText, clockText;
  std::string label8Text;  // the traffic-light line
  std::string carsText, tcText;
  std::string limitText, speedText, distanceText;
  std::string prevStationText, nextStationText, maxSpeedText;
  std::string limitText2;  // the second information line, video only
  std::string commentary;  // the advice shown on the video
  // The advice function's result of this and of the previous tick; not shown.
  std::string adviceResult, adviceResultPrev;
};

}  // namespace cab
